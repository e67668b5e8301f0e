#!/usr/bin/env bash
# Checks dialog template 113, "Choose a Data Directory", as the installer
# carries it: the resource compiler reads the template back out of the built
# program and the result must match, control by control in tab order, with
# every style bit, position, size and identifier.
#   check_datadir_template.sh WINDRES INSTALLER_EXE
set -uo pipefail
windres=$1
program=$2
[ -f "$program" ] || { echo "FAIL: missing $program"; exit 1; }
dump=$("$windres" -J coff -i "$program" -O rc 2>&1) || { echo "FAIL: $windres could not read $program: $dump"; exit 1; }
actual=$(printf '%s\n' "$dump" | tr -d '\r' | awk '/^113 DIALOG/ { on = 1 } on { print } on && /^END/ { exit }')
# 0x90C800C0 = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
# controls: WS_CHILD | WS_VISIBLE plus BS_DEFPUSHBUTTON | WS_TABSTOP (0x50010001),
# BS_PUSHBUTTON | WS_TABSTOP (0x50010000), SS_LEFT | WS_GROUP (0x50020000),
# WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL (0x50810080).
expected='113 DIALOG 0, 0, 217, 98
STYLE 0x90c800c0
CAPTION "Choose a Data Directory"
FONT 8, "MS Sans Serif"
BEGIN
  CONTROL "OK", 1, "BUTTON", 0x50010001, 7, 78, 50, 14
  CONTROL "Cancel", 2, "BUTTON", 0x50010000, 160, 78, 50, 14
  CONTROL "This application requires a directory in which to store its data files. The location below is recommended and should work fine for most users. If you wish to enter a different directory name, however, you may do so now.", 65535, "STATIC", 0x50020000, 7, 7, 203, 38
  CONTROL "", 1097, "EDIT", 0x50810080, 7, 50, 203, 14
END'
if [ "$actual" != "$expected" ]; then
  echo "FAIL: template 113 in $program differs:"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual")
  exit 1
fi
echo "template 113 as expected in $program"
