#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ (ASan and UBSan) in a
# tree of their own and runs each from its seed corpus in fuzz/corpus/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]   build, then run every (or each
#                                           named) target for SECONDS (default 600)
#   scripts/fuzz.sh --build-only            only build
#   scripts/fuzz.sh --no-build SECONDS T... run without building first
#
#   FUZZ_BUILD_DIR  the tree (default: build/fuzz in the checkout); inputs
#                   found during a run go to its corpus/<target>/, crashes to
#                   its crashes/ (the committed seeds are never written)
#   FUZZ_JOBS       parallel libFuzzer jobs per target (default 1)
#
# A crash stops the run with status 1 and names the input that caused it;
# rerun it with: $FUZZ_BUILD_DIR/<target>_fuzz <input>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}
build=1
run=1
case "${1:-}" in
  --build-only) run=0; shift ;;
  --no-build) build=0; shift ;;
esac
seconds=600
if [ $# -gt 0 ] && [[ "$1" =~ ^[0-9]+$ ]]; then seconds=$1; shift; fi

if [ "$build" -eq 1 ]; then
  command -v clang++ >/dev/null || { echo "fuzz: clang++ not found (scripts/install-deps.sh installs it)" >&2; exit 1; }
  cmake -S "$root/fuzz" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$out" -j "${FUZZ_BUILD_JOBS:-2}"
fi
[ "$run" -eq 1 ] || exit 0

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$root"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

# Scratch files of the targets (payload files, product descriptions), one
# directory per run of this script, so that runs side by side keep apart.
mkdir -p "$out"
TMPDIR=$(mktemp -d "$out/tmp.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
status=0
for target in "${targets[@]}"; do
  program="$out/${target}_fuzz"
  seeds="$root/fuzz/corpus/$target"
  [ -x "$program" ] || { echo "fuzz: no program $program" >&2; exit 1; }
  [ -d "$seeds" ] || { echo "fuzz: no seed corpus $seeds" >&2; exit 1; }
  mkdir -p "$out/corpus/$target" "$out/crashes"
  echo "=== $target: ${seconds}s"
  # The first corpus directory takes the new inputs; the seeds are read only.
  # Inputs up to 8 KiB: a few values of 1023 characters and more.
  parallel=()
  [ "${FUZZ_JOBS:-1}" -gt 1 ] && parallel=(-jobs="$FUZZ_JOBS" -workers="$FUZZ_JOBS")
  # From inside the tree: parallel jobs write their logs to the current directory.
  if ! (cd "$out" && "$program" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=3072 \
       "${parallel[@]}" -print_final_stats=1 -artifact_prefix="$out/crashes/$target-" \
       "$out/corpus/$target" "$seeds" >"$out/$target.log" 2>&1); then
    tail -n 60 "$out/$target.log" >&2
    echo "fuzz: $target FAILED; the input is in $out/crashes/ (log: $out/$target.log)" >&2
    status=1
    continue
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$out/$target.log" | tr '\n' ' '
  echo
done
exit $status
