#!/usr/bin/env bash
# Builds everything: the host tree (payload generator, unit tests), then the
# Windows programs for x86_64 (run by Wine here) and i686 (the release), then
# the CD tree and its ISO image.
#   BUILD_DIR   where the trees go (default: build/ in the checkout)
#   PAYLOAD_DIR a folder with your own payload files and product.ini (see README)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}
jobs=$(nproc)
extra=()
[ -n "${PAYLOAD_DIR:-}" ] && extra+=("-DPAYLOAD_DIR=$(cd "$PAYLOAD_DIR" && pwd)")

cmake -S "$root" -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$out/host" -j "$jobs"

for arch in x86_64 i686; do
  cmake -S "$root" -B "$out/win-$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DPAYLOAD_TOOL="$out/host/installer/payload/mkpayload" "${extra[@]}" >/dev/null
  cmake --build "$out/win-$arch" -j "$jobs"
done

if [ -x "$root/scripts/make-cd.sh" ]; then
  "$root/scripts/make-cd.sh" "$out"
fi
