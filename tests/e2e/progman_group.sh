#!/usr/bin/env bash
# A user installs Brevio Paper into C:\Program Files\Brevio and finds the
# group Brevio in the Start Menu's Programs folder, with the shortcut
# "Brevio Paper" (brevio.exe, started in the data directory) and the
# shortcut "Uninstall" (uninst.exe). Installing a second time leaves exactly
# one shortcut of each. Starting the Uninstall shortcut and answering Yes
# removes the group's shortcuts and the payload files.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

PROGRAMS=$(e2e_path "C:\\users\\$E2E_WINUSER\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs")
GROUP=$PROGRAMS/Brevio
LNK=$(dirname "$0")/progman_lnk.py
dir=$(e2e_path "$BREVIO_DIR")
mkdir -p "$dir"

# The group holds exactly the two shortcuts, pointing where they should.
expect_group() {
  local listing
  listing=$(cd "$GROUP" 2>/dev/null && ls -1A)
  [ "$listing" = "$(printf 'Brevio Paper.lnk\nUninstall.lnk')" ] ||
    e2e_fail "group Brevio holds: $(printf '%s' "$listing" | tr '\n' '|') (expected Brevio Paper.lnk and Uninstall.lnk)"
  expect_link "$GROUP/Brevio Paper.lnk" "$BREVIO_DIR\\brevio.exe"
  expect_link "$GROUP/Uninstall.lnk" "$BREVIO_DIR\\uninst.exe"
}

#   expect_link FILE TARGET: the target, no arguments, the data directory as working directory.
expect_link() {
  local fields expected
  fields=$(python3 "$LNK" "$1") || e2e_fail "cannot read $1"
  expected=$(printf 'target=%s\nworkdir=%s\nargs=' "$2" "$BREVIO_DIR")
  [ "$fields" = "$expected" ] || e2e_fail "$(basename "$1") reads:
$fields
expected:
$expected"
}

installer_install_answering yes
installer_expect_installed "$BREVIO_DIR"
expect_group
e2e_log "group Brevio holds Brevio Paper and Uninstall"
# Wine's shell refuses the Startup item's command line (a quoted path
# followed by an argument), so what StartUp holds is not checked here;
# progman_commands.sh checks the bytes of that command.

installer_install_answering no
expect_group
e2e_log "a second installation left one shortcut of each"

# The user starts the Uninstall shortcut.
e2e_start uninst --dir "$BREVIO_DIR" "C:\\users\\$E2E_WINUSER\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Brevio\\Uninstall.lnk"
e2e_wait_window "Uninstall Brevio Paper" 30000
e2e_answer "Uninstall Brevio Paper" yes
e2e_wait_window "Uninstall Complete" 30000
e2e_answer "Uninstall Complete" ok
e2e_expect_exit uninst 0

e2e_expect_no_file "$GROUP/Brevio Paper.lnk"
e2e_expect_no_file "$GROUP/Uninstall.lnk"
e2e_expect_no_file "$GROUP"
e2e_expect_no_file "$dir/brevio.exe"
e2e_expect_no_file "$dir/brevio.htm"
e2e_pass
