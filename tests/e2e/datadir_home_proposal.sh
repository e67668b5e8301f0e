#!/usr/bin/env bash
# A first installation on a machine without C:\Program Files\Brevio and
# without a record: the "Choose a Data Directory" dialog proposes a folder
# under the user's home (Wine sets HOMEDRIVE=C: and HOMEPATH=\users\<user>);
# OK creates it, the payload goes there and brevio.ini records it. A second
# run takes the record and installs again without showing the dialog.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

DIALOG="Choose a Data Directory"
proposal="C:\\users\\$E2E_WINUSER\\Brevio"
proposal_unix=$(e2e_path "$proposal")
ini_unix=$(e2e_path 'C:\windows\brevio.ini')
e2e_expect_no_file "$(e2e_path 'C:\Program Files\Brevio')"
e2e_expect_no_file "$ini_unix"
e2e_expect_no_file "$proposal_unix"

e2e_start inst "$E2E_INSTALLER"
e2e_wait_window "$DIALOG"
shown=$(e2e_item "$DIALOG" 1097)
[ "$shown" = "$proposal" ] || e2e_fail "the dialog proposes \"$shown\", expected \"$proposal\""

# The window made from template 113: its controls, in tab order.
# The edit field's text was read above: a window text read from another
# process does not reach into an edit field, so it is left out here.
children=$(e2e_drv children "$DIALOG" | sed 's/^\(1097 visible Edit\) .*/\1/')
expected_children='1 visible Button       "OK"
2 visible Button       "Cancel"
65535 visible Static       "This application requires a directory in which to store its data files. The location below is recommended and should work fine for most users. If you wish to enter a different directory name, however, you may do so now."
1097 visible Edit'
[ "$children" = "$expected_children" ] || e2e_fail "the dialog's controls are:
$children"

# Nothing is created while the dialog asks.
e2e_expect_no_file "$proposal_unix"
e2e_answer "$DIALOG" ok
e2e_answer "Closing Running Copies" ok 30000
e2e_wait_window "Installation Successful" 60000 "Add To Startup Group=no"
e2e_answer "Installation Successful" no
e2e_expect_exit inst 0

installer_expect_installed "$proposal"

# The second run: the recorded folder exists, so no dialog comes.
e2e_watch_start "$DIALOG"
e2e_start again "$E2E_INSTALLER"
e2e_answer "Closing Running Copies" ok 30000
e2e_wait_window "Installation Successful" 60000 "Add To Startup Group=no"
e2e_answer "Installation Successful" no
e2e_expect_exit again 0
grep -qxF "$DIALOG" "$E2E_DIR/watch.log" && e2e_fail "the second run showed \"$DIALOG\""
installer_expect_installed "$proposal"
e2e_pass
