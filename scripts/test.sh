#!/usr/bin/env bash
# Runs every test on a fresh Debian 12 machine: installs what is missing,
# builds all trees, then runs CTest in each of them: the host unit tests
# (under ASan and UBSan), the checks of the built Windows programs, and the
# end-to-end scenarios under Wine in Xvfb. Ends with "N passed, N failed".
#   BUILD_DIR  where the trees go (default: build/ in the checkout)
#   CTEST_ARGS extra arguments for every ctest run (e.g. "-R install")
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}
export BUILD_DIR=$out

"$root/scripts/install-deps.sh" || { echo "0 passed, 1 failed"; exit 1; }
if ! "$root/scripts/build.sh"; then
  echo "build failed"
  echo "0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
for tree in host win-x86_64 win-i686; do
  [ -d "$out/$tree" ] || continue
  echo "=== tests in $tree ==="
  log=$(mktemp)
  # shellcheck disable=SC2086
  ctest --test-dir "$out/$tree" --output-on-failure --timeout 900 ${CTEST_ARGS:-} 2>&1 | tee "$log"
  summary=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$summary" ]; then
    f=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
    n=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
    passed=$((passed + n - f))
    failed=$((failed + f))
  elif ! grep -q 'No tests were found' "$log"; then
    failed=$((failed + 1))
  fi
  rm -f "$log"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
