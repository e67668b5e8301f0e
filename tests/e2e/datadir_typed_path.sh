#!/usr/bin/env bash
# The user types a folder of their own into "Choose a Data Directory". One
# whose parent does not exist gives "Can't Create Directory" and the dialog
# stays open; a new one written with forward and doubled separators is
# created on OK, installed into, and recorded with single backslashes.
source "$(dirname "$0")/lib.sh"
e2e_begin

DIALOG="Choose a Data Directory"
ini_unix=$(e2e_path 'C:\windows\brevio.ini')

e2e_start inst "$E2E_INSTALLER"
e2e_wait_window "$DIALOG"
e2e_settext "$DIALOG" 1097 'C:\no such parent\Brevio'
e2e_answer "$DIALOG" ok
e2e_expect_box "Can't Create Directory" \
  "That directory does not exist, and the application was not able to create it. Most likely the parent directory does not exist or you have entered a path the program does not have write access to."
e2e_answer "Can't Create Directory" ok
e2e_wait_gone "Can't Create Directory"
e2e_expect_no_file "$(e2e_path 'C:\no such parent')"

e2e_settext "$DIALOG" 1097 'C://Brevio Data/'
e2e_answer "$DIALOG" ok
e2e_answer "Closing Running Copies" ok 30000
e2e_wait_window "Installation Successful" 60000 "Add To Startup Group=no"
e2e_answer "Installation Successful" no
e2e_expect_exit inst 0

e2e_expect_ini "$ini_unix" Options dataDir 'C:\Brevio Data\'
e2e_expect_same_file "$E2E_PAYLOAD/brevio.exe" "$(e2e_path 'C:\Brevio Data')/brevio.exe"
e2e_pass
