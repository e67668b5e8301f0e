#!/usr/bin/env bash
# The user types the path of a file into "Choose a Data Directory" and is
# told to enter a directory name, with Brevio as the example; the dialog
# stays open with the typed text. Cancel then shows "Shutting Down" and the
# driver's "Application Not Installed", and nothing is written: no folder,
# no brevio.ini, no payload file.
source "$(dirname "$0")/lib.sh"
e2e_begin

DIALOG="Choose a Data Directory"
proposal="C:\\users\\$E2E_WINUSER\\Brevio"
ini_unix=$(e2e_path 'C:\windows\brevio.ini')
typed='C:\windows\win.ini'
e2e_expect_file "$(e2e_path "$typed")"

e2e_start inst "$E2E_INSTALLER"
e2e_wait_window "$DIALOG"
e2e_settext "$DIALOG" 1097 "$typed"
e2e_answer "$DIALOG" ok
e2e_expect_box "Please Enter a Directory Name" \
  "That path specifies a file, and not a new or existing directory name. Please enter a directory name, such as Brevio for example."
e2e_answer "Please Enter a Directory Name" ok
e2e_wait_gone "Please Enter a Directory Name"
shown=$(e2e_item "$DIALOG" 1097)
[ "$shown" = "$typed" ] || e2e_fail "after the warning the dialog shows \"$shown\", expected \"$typed\""

e2e_answer "$DIALOG" cancel
e2e_expect_box "Shutting Down" \
  "This program cannot operate without a data directory to store its files in. The program will exit now. Please determine an appropriate directory name and start the program again later."
e2e_expect_no_window "Application Not Installed"
e2e_answer "Shutting Down" ok
e2e_expect_box "Application Not Installed" \
  "The application will not be installed at this time.If you decide to install the application later, just launch this program again to complete the installation process."
e2e_expect_no_window "Setup Progress"
e2e_answer "Application Not Installed" ok
e2e_expect_exit inst 0

e2e_expect_no_file "$ini_unix"
e2e_expect_no_file "$(e2e_path "$proposal")"
e2e_expect_no_file "$(e2e_path 'C:\Program Files\Brevio')"
found=$(find "$WINEPREFIX/drive_c" \( -name brevio.exe -o -name brevio.htm -o -name uninst.exe \) -print -quit)
[ -z "$found" ] || e2e_fail "a payload file was written: $found"
e2e_pass
