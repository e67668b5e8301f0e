#!/usr/bin/env bash
# The launcher started from a drive without \Internet\Vantorin\cdrun.ini:
# the caption is "Software Installation", the warning speaks of the Software
# software, About reports the shell's refusal of "Error in cdrun.ini" with
# code 2 in a box of its own, and Esc ends the launcher without a question (with status 0, the
# framework's own).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/setup_cd.bash"
e2e_begin
setup_cd --no-ini
setup_start "Software Installation"

setup_press $SETUP_IDC_INSTALL
setup_expect_box "The setup instructions contain important information about the Software software. Please read them before beginning installation." ok

setup_press $SETUP_IDC_ABOUT
setup_expect_box "An error occurred executing ''Error in cdrun.ini'': error code 2.
Please contact technical support." ok
e2e_running launcher || e2e_fail "the launcher ended after a refused command"

wine "$SETUP_ESCAPE" "$SETUP_CAPTION" || e2e_fail "could not press Esc in the launcher"
e2e_expect_exit launcher 0 30
e2e_expect_no_window "$SETUP_CAPTION"
e2e_pass
