#!/usr/bin/env bash
# "Install" names nothing that exists on the CD: Yes shows the shell's
# refusal, the launcher stays open and asks again at the next press; a
# "%" in the value shows literally; Exit ends the launcher with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/setup_cd.bash"
e2e_begin
setup_cd '[CDRun]
CompanyName=Vantorin
Install=\tools\100%s missing.exe
MoreInfo=\tools\moreinfo.exe'
setup_start "Vantorin Installation"

setup_press $SETUP_IDC_INSTRUCTIONS
setup_expect_launched 'moreinfo.exe|D:\'
for round in 1 2; do
  setup_press $SETUP_IDC_INSTALL
  setup_expect_box "Have you printed out the setup instructions and read them carefully?" yes
  setup_expect_box "An error occurred executing ''\\tools\\100%s missing.exe'': error code 2.
Please contact technical support." ok
  e2e_running launcher || e2e_fail "the launcher ended after a refused installation (round $round)"
done

setup_press $SETUP_IDC_EXIT
e2e_expect_exit launcher 0 30
setup_expect_launched 'moreinfo.exe|D:\'
e2e_pass
