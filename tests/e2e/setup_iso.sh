#!/usr/bin/env bash
# The CD images: each ISO 9660 image, read through its Joliet names, holds
# exactly the files of its CD tree, byte for byte, with the long names that
# cdrun.ini uses. Needs the trees and images that scripts/make-cd.sh makes
# beside the build trees (scripts/build.sh runs it); skipped without them.
set -uo pipefail
E2E_BUILD=${E2E_BUILD:-$(cd "$(dirname "$0")/../.." && pwd)/build/win-x86_64}
top=$(dirname "$E2E_BUILD")
fail() { echo "FAIL [setup_iso]: $*" >&2; exit 1; }

checked=0
for pair in "cd-i686 brevio-cd.iso" "cd-x86_64 brevio-cd-x86_64.iso"; do
  read -r tree iso <<<"$pair"
  [ -d "$top/$tree" ] && [ -f "$top/$iso" ] || continue
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # A Joliet supplementary volume descriptor (type 2, escape "%/E") among
  # the descriptors from sector 16 on.
  joliet=0
  for sector in 16 17 18 19 20; do
    descriptor=$(dd if="$top/$iso" bs=2048 skip=$sector count=1 2>/dev/null | head -c 91 | od -An -tx1 | tr -d ' \n')
    [ "${descriptor:0:12}" = 024344303031 ] && [ "${descriptor:176:6}" = 252f45 ] && joliet=1
  done
  [ $joliet = 1 ] || fail "$iso has no Joliet volume descriptor"
  xorriso -rockridge off -joliet on -indev "$top/$iso" -osirrox on -extract / "$work/x" >/dev/null 2>&1 ||
    fail "cannot read $iso"
  for f in setup.exe autorun.inf Internet/Vantorin/cdrun.ini Internet/Vantorin/installer.exe; do
    [ -f "$work/x/$f" ] || fail "$iso has no $f under its Joliet names"
  done
  diff -r "$top/$tree" "$work/x" >"$work/diff" 2>&1 || fail "$iso differs from $tree:
$(head -20 "$work/diff")"
  echo "[setup_iso] $iso holds $tree: $(cd "$work/x" && find . -type f | wc -l) files"
  rm -rf "$work"
  checked=$((checked + 1))
done
[ $checked -gt 0 ] || { echo "SKIP [setup_iso]: no CD trees and images beside $E2E_BUILD (scripts/build.sh makes them)" >&2; exit 77; }
echo "PASS [setup_iso]"
