#!/usr/bin/env bash
# The exact bytes that the installer and the uninstaller send to Program
# Manager, caught by a recording PROGMAN server of our own that runs beside
# Wine's shell (which would refuse the Startup item's command). The first
# installation goes into C:\Program Files\Brevio and the user adds Brevio to
# the Startup group: all ten commands, each with its terminating NUL. The
# second goes into a recorded directory that ends in a backslash and the user
# declines: commands 1 to 6, with two backslashes at each join. The
# uninstaller then sends its four removal commands.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

RECORDER=${E2E_PROGMAN_RECORDER:-$E2E_BUILD/tests/e2e/progman_recorder.exe}
[ -f "$RECORDER" ] || e2e_fail "missing $RECORDER (build the x86_64 tree first)"
PROGRAMS=$(e2e_path "C:\\users\\$E2E_WINUSER\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs")
mkdir -p "$(e2e_path 'C:\e2e')"
LOG=$(e2e_path 'C:\e2e\progman.log')

# Wine's shell serves PROGMAN from the desktop process: have it up first, so
# that the recorder really stands beside it. A server registered after the
# shell's is the one that answers a client's connection (on Wine 8, every
# time; the shell answers again once the recorder has gone).
e2e_drv list >/dev/null
e2e_start recorder "$RECORDER" 'C:\e2e\progman.log' 240
for _ in $(seq 150); do
  [ -f "$LOG.ready" ] && break
  sleep 0.1
done
[ -f "$LOG.ready" ] || e2e_fail "the recording PROGMAN server did not come up"

# Each command as the recorder logs it: its length with the NUL, then its text.
expect_log() {
  local expected="" command
  for command in "$@"; do
    expected+="LEN=$((${#command} + 1)) NUL=1 TEXT=$command"$'\n'
  done
  local actual
  actual=$(cat "$LOG" 2>/dev/null)
  [ "$actual" = "${expected%$'\n'}" ] || e2e_fail "the PROGMAN server received:
$actual
expected:
${expected%$'\n'}"
  : >"$LOG"
}

mkdir -p "$(e2e_path "$BREVIO_DIR")"
installer_install_answering yes
expect_log \
  '[CreateGroup(Brevio)]' \
  '[ShowGroup(Brevio,5)]' \
  '[ReplaceItem(Brevio Paper)]' \
  '[AddItem("C:\Program Files\Brevio\brevio.exe",Brevio Paper,,,,,"C:\Program Files\Brevio")]' \
  '[ReplaceItem(Uninstall)]' \
  '[AddItem("C:\Program Files\Brevio\uninst.exe",Uninstall,,,,,"C:\Program Files\Brevio")]' \
  '[CreateGroup(Startup)]' \
  '[ShowGroup(Startup,5)]' \
  '[ReplaceItem(Brevio)]' \
  '[AddItem("C:\Program Files\Brevio\brevio.exe" -icon,Brevio,,,,,"C:\Program Files\Brevio")]'
e2e_log "all ten commands arrived byte for byte"

other='C:\Brevio Data\'
mkdir -p "$(e2e_path "$other")"
printf '[Options]\r\ndataDir=%s\r\n' "$other" >"$(e2e_path "$BREVIO_INI")"
installer_install_answering no
expect_log \
  '[CreateGroup(Brevio)]' \
  '[ShowGroup(Brevio,5)]' \
  '[ReplaceItem(Brevio Paper)]' \
  '[AddItem("C:\Brevio Data\\brevio.exe",Brevio Paper,,,,,"C:\Brevio Data\")]' \
  '[ReplaceItem(Uninstall)]' \
  '[AddItem("C:\Brevio Data\\uninst.exe",Uninstall,,,,,"C:\Brevio Data\")]'
e2e_log "after No, commands 1 to 6 only"

e2e_start uninst "${other}uninst.exe"
e2e_wait_window "Uninstall Brevio Paper" 30000
e2e_answer "Uninstall Brevio Paper" yes
e2e_wait_window "Uninstall Complete" 30000
e2e_answer "Uninstall Complete" ok
e2e_expect_exit uninst 0
expect_log \
  '[ShowGroup(Brevio,5)][DeleteItem(Brevio Paper)]' \
  '[ShowGroup(Brevio,5)][DeleteItem(Uninstall)]' \
  '[DeleteGroup(Brevio)]' \
  '[ShowGroup(Startup,5)][DeleteItem(Brevio)]'

# Wine's shell saw none of it: it made no group.
e2e_expect_no_file "$PROGRAMS/Brevio"
touch "$LOG.stop"
e2e_expect_exit recorder 0 30
e2e_pass
