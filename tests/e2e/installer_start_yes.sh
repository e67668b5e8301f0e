#!/usr/bin/env bash
# A user installs into an existing C:\Program Files\Brevio and answers Yes to
# the last question: the payload is in place, recorded in brevio.ini, and
# the application starts with its window "Brevio Paper".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

mkdir -p "$(e2e_path "$BREVIO_DIR")"
installer_run_until "Installation Successful"
e2e_expect_box "Installation Successful" "$SUCCESS_TEXT"
installer_expect_installed "$BREVIO_DIR"
e2e_expect_no_window "Brevio Paper"

e2e_answer "Installation Successful" yes
e2e_expect_exit installer 0
e2e_wait_window "Brevio Paper"
# ...and it is the installed copy that runs.
# (Listed in full first: grep -q ending the pipe early would fail it.)
processes=$(e2e_wine_processes)
grep -qiF 'C:\Program Files\Brevio\brevio.exe' <<<"$processes" ||
  e2e_fail "no process runs C:\Program Files\Brevio\brevio.exe: $processes"
e2e_pass
