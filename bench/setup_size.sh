#!/usr/bin/env bash
# Prints the size of the stripped i686 setup.exe (the release launcher),
# against its target of 48 KiB. Builds only the launcher, in the i686 tree
# under $BUILD_DIR/bench (default build/bench), with the same flags as the
# release (stripped at link time).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}/bench
tree=$out/win-i686
if [ ! -f "$tree/CMakeCache.txt" ]; then
  # The installer's payload tool is not needed for the launcher's target;
  # the tree is configured with the host-built one when it exists.
  cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DPAYLOAD_TOOL="$out/host/installer/payload/mkpayload" >/dev/null
fi
cmake --build "$tree" -j 2 --target setup >/dev/null
exe=$tree/setup/setup.exe
size=$(stat -c %s "$exe")
printf '   setup.exe (i686, stripped): %s bytes (%s KiB; target <= 48 KiB)\n' "$size" \
  "$(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1024 }')"
