#!/usr/bin/env bash
# The launcher from a CD: the caption comes from "CompanyName"; Install
# Software first shows only the warning; Setup Instructions opens "MoreInfo";
# then Install Software asks whether the instructions were printed and read:
# No opens "MoreInfo" again, Yes opens "Install" and the launcher ends with
# status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/setup_cd.bash"
e2e_begin
setup_cd "$SETUP_TEST_INI"
setup_start "Vantorin Installation"

[ "$(e2e_item "$SETUP_CAPTION" $SETUP_IDC_ABOUT)" = "&About Vantorin" ] || e2e_fail "no About button"

setup_press $SETUP_IDC_INSTALL
setup_expect_box "The setup instructions contain important information about the Vantorin software. Please read them before beginning installation." ok
setup_press $SETUP_IDC_INSTALL
setup_expect_box "The setup instructions contain important information about the Vantorin software. Please read them before beginning installation." ok
setup_expect_only_launched

setup_press $SETUP_IDC_INSTRUCTIONS
setup_expect_launched 'moreinfo.exe|D:\'

setup_press $SETUP_IDC_INSTALL
setup_expect_box "Have you printed out the setup instructions and read them carefully?" no
setup_expect_launched 'moreinfo.exe|D:\' 'moreinfo.exe|D:\'
e2e_running launcher || e2e_fail "the launcher ended after No"

setup_press $SETUP_IDC_ABOUT
setup_expect_launched 'moreinfo.exe|D:\' 'moreinfo.exe|D:\' 'about.exe|D:\'

setup_press $SETUP_IDC_INSTALL
setup_expect_box "Have you printed out the setup instructions and read them carefully?" yes
e2e_expect_exit launcher 0 30
setup_expect_launched 'moreinfo.exe|D:\' 'moreinfo.exe|D:\' 'about.exe|D:\' 'install.exe|D:\'
e2e_pass
