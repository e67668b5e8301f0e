#!/usr/bin/env bash
# The same installation, answered No at the end: the payload stays in place
# and nothing is started.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

mkdir -p "$(e2e_path "$BREVIO_DIR")"
installer_run_until "Installation Successful"
e2e_answer "Installation Successful" no
e2e_expect_exit installer 0
installer_expect_installed "$BREVIO_DIR"
# An application started by mistake would have shown its window by now.
sleep 3
e2e_expect_no_window "Brevio Paper"
e2e_pass
