#!/usr/bin/env bash
# Prints the payload benchmarks' figures (none of them is a pass/fail test):
#   1. ExtractPayload throughput on the host for a 64 MiB payload of real
#      binaries, beside the inflate-only limit of the same pieces
#   2. peak heap during extraction of a 4 MiB and a 64 MiB payload (massif)
#   3. build time of the i686 installer for a 256 MiB payload, beside
#      single-threaded gzip -6 of the same bytes
#   4. size of the stripped i686 installer with an empty payload, beside the
#      zlib installer stub of Debian's nsis package (installed here if missing)
#   5. size of the stripped i686 launcher setup.exe (bench/setup_size.sh)
# Uses trees of its own under $BUILD_DIR/bench (default build/bench): a
# Release host tree without sanitizers and an i686 Windows tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}/bench
work=$out/work
inputs=$work/inputs
mkdir -p "$work" "$inputs"

need=()
for p in valgrind gzip bc nsis; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
fi

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc -l; }
kib() { echo "scale=1; $1 / 1024" | bc -l; }

# ---- Payload inputs: real binaries of this machine, the same on every run ----
blob=$work/binaries-256m
if [ ! -f "$blob" ] || [ "$(stat -c %s "$blob")" -ne $((256 << 20)) ]; then
  echo "collecting 256 MiB of binaries from /usr/bin and /usr/lib ..."
  (set +o pipefail
   find /usr/bin /usr/lib -type f -size +16k 2>/dev/null | LC_ALL=C sort | xargs cat 2>/dev/null | head -c $((256 << 20)) >"$blob")
fi
make_payload() {  # dir size-in-bytes: brevio.exe of that size, uninst.exe, product.ini
  mkdir -p "$1"
  head -c "$2" "$blob" >"$1/brevio.exe.new"
  cmp -s "$1/brevio.exe.new" "$1/brevio.exe" 2>/dev/null && rm "$1/brevio.exe.new" || mv "$1/brevio.exe.new" "$1/brevio.exe"
  [ -f "$1/uninst.exe" ] || cp /usr/bin/true "$1/uninst.exe"
  sed 's/^files=.*/files=brevio.exe, uninst.exe/' "$root/installer/payload/product.ini" >"$1/product.ini.new"
  cmp -s "$1/product.ini.new" "$1/product.ini" 2>/dev/null && rm "$1/product.ini.new" || mv "$1/product.ini.new" "$1/product.ini"
}
make_payload "$inputs/4m" $((4 << 20))
make_payload "$inputs/64m" $((64 << 20))

# ---- Host tree ----
echo "building the Release host tree ..."
cmake -S "$root" -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSANITIZE=OFF \
  -DBENCH_INPUT_DIR="$inputs" >/dev/null
cmake --build "$out/host" -j 2 --target mkpayload extract_bench_64m extract_heap_4m extract_heap_64m >/dev/null
mkdir -p "$work/extract"

echo
echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores (other work skews the times)"
echo
echo "1. Extraction throughput (64 MiB of real binaries)"
"$out/host/bench/extract_bench_64m" "$work/extract" | sed 's/^/   /'

echo
echo "2. Peak heap during extraction (valgrind massif)"
for size in 4m 64m; do
  valgrind -q --tool=massif --massif-out-file="$work/massif.$size" \
    "$out/host/bench/extract_heap_$size" "$work/extract"
  peak=$(awk -F= '/^mem_heap_B=/{h=$2} /^mem_heap_extra_B=/{if (h+$2 > m) {m = h+$2; p = h}} END{print p, m}' \
    "$work/massif.$size")
  set -- $peak
  printf '   %-4s payload: peak %s KiB requested, %s KiB with allocator overhead (target < 64 KiB)\n' \
    "$size" "$(kib "$1")" "$(kib "$2")"
  (cd "$work/extract" && rm -f brevio.exe uninst.exe)
done

echo
echo "3 and 4. The i686 installer"
pdir=$work/installer-payload
mkdir -p "$pdir"
# An empty payload first: the installer's own size.
sed 's/^files=.*/files=/' "$root/installer/payload/product.ini" >"$pdir/product.ini"
rm -f "$pdir/brevio.exe" "$pdir/uninst.exe"
cmake -S "$root" -B "$out/win-i686" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DPAYLOAD_TOOL="$out/host/installer/payload/mkpayload" \
  -DPAYLOAD_DIR="$pdir" >/dev/null
cmake --build "$out/win-i686" -j 2 --target installer >/dev/null 2>&1 ||
  cmake --build "$out/win-i686" -j 2 --target installer
size=$(stat -c %s "$out/win-i686/installer/installer.exe")
printf '   installer.exe with an empty payload, stripped: %s bytes (%s KiB; target <= 64 KiB)\n' "$size" "$(kib "$size")"
for stub in /usr/share/nsis/Stubs/zlib-x86-ansi /usr/share/nsis/Stubs/zlib-x86-unicode; do
  [ -f "$stub" ] && printf '   nsis %s: %s bytes (%s KiB)\n' "$(basename "$stub")" "$(stat -c %s "$stub")" \
    "$(kib "$(stat -c %s "$stub")")"
done

# Then 256 MiB: only the payload is generated, assembled and linked anew.
cp "$blob" "$pdir/brevio.exe"
cp /usr/bin/true "$pdir/uninst.exe"
sed 's/^files=.*/files=brevio.exe, uninst.exe/' "$root/installer/payload/product.ini" >"$pdir/product.ini"
sync
echo "   load average: $(cut -d' ' -f1-3 /proc/loadavg)"
start=$(now)
cmake --build "$out/win-i686" -j 2 --target installer >/dev/null
build=$(elapsed "$start" "$(now)")
start=$(now)
gzip -6 -c "$blob" >"$work/binaries-256m.gz"
gz=$(elapsed "$start" "$(now)")
rm -f "$work/binaries-256m.gz"
printf '   build of installer.exe for a 256 MiB payload: %.2f s (%s cores; installer %s MiB)\n' "$build" "$(nproc)" \
  "$(echo "scale=1; $(stat -c %s "$out/win-i686/installer/installer.exe") / 1048576" | bc -l)"
printf '   gzip -6 of the same 256 MiB, one thread:      %.2f s\n' "$gz"
printf '   ratio build / gzip: %.2f (target <= 0.8)\n' "$(echo "$build / $gz" | bc -l)"

echo
echo "5. The i686 launcher"
BUILD_DIR=${BUILD_DIR:-$root/build} "$root/bench/setup_size.sh"
