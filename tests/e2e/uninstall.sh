#!/usr/bin/env bash
# A user who has Brevio Paper installed and running chooses Uninstall and
# answers Yes: the running copy closes, the program and its help page are
# deleted, the user's own file stays, the "dataDir" record is gone from
# brevio.ini (its other records stay), and the uninstaller reports the end.
# Answering No first changes nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

dir=$(e2e_path "$BREVIO_DIR")
mkdir -p "$dir"
for name in "${PAYLOAD_FILES[@]}"; do cp "$(payload_source "$name")" "$dir/$name"; done
echo "my notes" >"$dir/notes.txt"
printf '[Options]\r\ndataDir=%s\r\nlastPaper=3\r\n' "$BREVIO_DIR" >"$(e2e_path "$BREVIO_INI")"

# No: nothing happens.
e2e_start first "$BREVIO_DIR\\uninst.exe"
e2e_wait_window "Uninstall Brevio Paper"
e2e_answer "Uninstall Brevio Paper" no
e2e_expect_exit first 0
e2e_expect_file "$dir/brevio.exe"
e2e_expect_ini "$(e2e_path "$BREVIO_INI")" Options dataDir "$BREVIO_DIR"

# Yes, with the application running (started as the Startup item starts it).
e2e_start app "$BREVIO_DIR\\brevio.exe" -icon
e2e_wait_window "Brevio Paper"
e2e_start uninst "$BREVIO_DIR\\uninst.exe"
e2e_wait_window "Uninstall Brevio Paper"
e2e_answer "Uninstall Brevio Paper" yes
e2e_expect_box "Uninstall Complete" \
  "Brevio Paper has been removed from your computer. The file uninst.exe will be deleted when Windows restarts."
e2e_answer "Uninstall Complete" ok
e2e_expect_exit uninst 0
e2e_expect_exit app 0

e2e_expect_no_file "$dir/brevio.exe"
e2e_expect_no_file "$dir/brevio.htm"
e2e_expect_file "$dir/notes.txt"
e2e_ini_get "$(e2e_path "$BREVIO_INI")" Options dataDir >/dev/null && e2e_fail "dataDir is still recorded"
e2e_expect_ini "$(e2e_path "$BREVIO_INI")" Options lastPaper 3
e2e_pass
