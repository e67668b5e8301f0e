#!/usr/bin/env bash
# Installs every Debian package that the build, the tests and the demo need.
# Runs apt-get as root, through sudo otherwise. Never adds the i386
# architecture: the machines we use run no 32-bit code, and Wine's 64-bit
# build runs our x86_64 programs.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  mingw-w64 libz-mingw-w64-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  xorriso valgrind python3
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
