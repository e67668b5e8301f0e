#!/usr/bin/env bash
# Checks a built Windows program: its PE format and machine, the GUI
# subsystem with subsystem version 4.0, and that it imports from no DLL
# beyond those that Windows 95 and NT 4 have.
#   check_pe.sh i686|x86_64 FILE...   (a FILE that does not exist fails)
set -uo pipefail
arch=$1
shift
case $arch in
  i686) objdump=i686-w64-mingw32-objdump format=pei-i386 magic=010b ;;
  x86_64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 magic=020b ;;
  *) echo "usage: check_pe.sh i686|x86_64 FILE..." >&2; exit 2 ;;
esac
allowed="kernel32.dll user32.dll gdi32.dll shell32.dll msvcrt.dll"
failed=0
for file in "$@"; do
  ok=1
  bad() { echo "FAIL $file: $*"; ok=0; failed=1; }
  if [ ! -f "$file" ]; then bad "missing"; continue; fi
  dump=$($objdump -p "$file" 2>&1) || { bad "objdump failed: $dump"; continue; }
  grep -q "file format $format\$" <<<"$dump" || bad "not $format: $(grep -m1 'file format' <<<"$dump")"
  grep -Eq "^Magic[[:space:]]+$magic" <<<"$dump" || bad "optional header magic is not $magic"
  grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$dump" || bad "subsystem is not GUI: $(grep -m1 '^Subsystem' <<<"$dump")"
  grep -Eq '^MajorSubsystemVersion[[:space:]]+4$' <<<"$dump" || bad "major subsystem version is not 4"
  grep -Eq '^MinorSubsystemVersion[[:space:]]+0$' <<<"$dump" || bad "minor subsystem version is not 0"
  dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)
  [ -n "$dlls" ] || bad "no import table found"
  for dll in $dlls; do
    [[ " $allowed " == *" $dll "* ]] || bad "imports from $dll"
  done
  [ $ok = 1 ] && echo "ok $file: $format, GUI 4.0, imports $(echo $dlls)"
done
exit $failed
