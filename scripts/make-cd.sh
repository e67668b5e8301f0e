#!/usr/bin/env bash
# Assembles the CD from a build: for each Windows build a CD tree
# BUILD_DIR/cd-<arch>/ (the launcher setup.exe at its root, the installer
# where cdrun.ini names it, and the sample content of cd/), then ISO 9660
# images with Joliet names: BUILD_DIR/brevio-cd.iso from the i686 release
# tree, BUILD_DIR/brevio-cd-x86_64.iso from the tree that Wine runs.
#   make-cd.sh BUILD_DIR
#   CD_DIR  a folder with your own CD content instead of cd/ (cdrun.ini under
#           Internet/Vantorin/, the picture and documents it names)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: make-cd.sh BUILD_DIR}
out=$(cd "$out" && pwd)

# Where cdrun.ini's "Install" points, inside the CD tree.
installer_on_cd=Internet/Vantorin/installer.exe

make_tree() {
  local arch=$1 build=$out/win-$1 tree=$out/cd-$1
  local setup=$build/setup/setup.exe installer=$build/installer/installer.exe
  local f
  for f in "$setup" "$installer"; do
    [ -f "$f" ] || { echo "make-cd: missing $f (build the $arch tree first)" >&2; return 1; }
  done
  rm -rf "$tree"
  mkdir -p "$tree"
  # The sample content, without the scripts that draw its pictures.
  cp -R "${CD_DIR:-$root/cd}/." "$tree/"
  find "$tree" -name '*.py' -delete
  cp "$setup" "$tree/setup.exe"
  mkdir -p "$tree/$(dirname "$installer_on_cd")"
  cp "$installer" "$tree/$installer_on_cd"
  echo "make-cd: $tree"
}

make_iso() {
  local tree=$1 iso=$2
  rm -f "$iso"
  # Joliet for the long names (installer.exe, Internet), Rock Ridge for
  # Unix readers; the volume name is what Windows shows for the drive.
  xorriso -as mkisofs -quiet -J -r -V BREVIO_CD -o "$iso" "$tree"
  echo "make-cd: $iso"
}

command -v xorriso >/dev/null || { echo "make-cd: xorriso is needed (scripts/install-deps.sh)" >&2; exit 1; }

for arch in x86_64 i686; do
  make_tree "$arch"
done
make_iso "$out/cd-i686" "$out/brevio-cd.iso"
make_iso "$out/cd-x86_64" "$out/brevio-cd-x86_64.iso"
