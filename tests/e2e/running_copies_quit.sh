#!/usr/bin/env bash
# Two running copies of Brevio Paper, started from an earlier installation,
# both end once the user has read the "Closing Running Copies" warning, and
# the installation then overwrites their brevio.exe. Two windows whose
# titles only resemble the display name ("brevio paper", and "My Brevio
# Paper notes") are left running and never receive WM_QUIT.
source "$(dirname "$0")/lib.sh"
e2e_begin

TITLED_WINDOW=${E2E_TITLED_WINDOW:-$E2E_BUILD/tests/e2e/titled_window.exe}
[ -f "$TITLED_WINDOW" ] || e2e_fail "missing $TITLED_WINDOW (build the x86_64 tree first)"
WARNING="Any copies of Brevio Paper currently running must now be shut down. This may take a few seconds."

# An earlier installation whose brevio.exe differs from the payload's (a
# few bytes appended after the image still run as the same program).
data_dir='C:\Program Files\Brevio'
data_unix=$(e2e_path "$data_dir")
mkdir -p "$data_unix"
{ cat "$E2E_PAYLOAD/brevio.exe"; printf 'an older brevio.exe'; } >"$data_unix/brevio.exe"
printf '[Options]\r\ndataDir=%s\r\n' "$data_dir" >"$(e2e_path 'C:\windows\brevio.ini')"
cmp -s "$E2E_PAYLOAD/brevio.exe" "$data_unix/brevio.exe" && e2e_fail "the older brevio.exe should differ"

e2e_start copy1 "$data_dir\\brevio.exe"
e2e_start copy2 "$data_dir\\brevio.exe"
mkdir -p "$(e2e_path 'C:\e2e')"
e2e_start lower "$TITLED_WINDOW" "brevio paper" --log 'C:\e2e\lower.log'
e2e_start notes "$TITLED_WINDOW" "My Brevio Paper notes" --log 'C:\e2e\notes.log'
e2e_wait_window "brevio paper"
e2e_wait_window "My Brevio Paper notes"
for _ in $(seq 100); do
  [ "$(e2e_drv count "Brevio Paper")" = 2 ] && break
  sleep 0.2
done
[ "$(e2e_drv count "Brevio Paper")" = 2 ] || e2e_fail "the two copies of Brevio Paper did not both come up"

e2e_start inst "$E2E_INSTALLER"
e2e_expect_box "Closing Running Copies" "$WARNING"
[ "$(e2e_drv count "Setup Progress")" = 1 ] || e2e_fail "the progress window is not on screen during the warning"
[ "$(e2e_drv count "Brevio Paper")" = 2 ] || e2e_fail "a copy ended before the warning was closed"
e2e_answer "Closing Running Copies" ok

e2e_wait_gone "Brevio Paper" 20000
e2e_expect_exit copy1 0 30
e2e_expect_exit copy2 0 30

e2e_wait_window "Installation Successful" 60000 "Add To Startup Group=no"
e2e_answer "Installation Successful" no
e2e_expect_exit inst 0

e2e_expect_same_file "$E2E_PAYLOAD/brevio.exe" "$data_unix/brevio.exe"

for caption in "brevio paper" "My Brevio Paper notes"; do
  [ "$(e2e_drv count "$caption")" = 1 ] || e2e_fail "window \"$caption\" did not keep running"
done
e2e_running lower || e2e_fail "the program titled \"brevio paper\" ended"
e2e_running notes || e2e_fail "the program titled \"My Brevio Paper notes\" ended"
for log in lower notes; do
  grep -q quit "$(e2e_path "C:\\e2e\\$log.log")" && e2e_fail "window of $log received WM_QUIT"
done
e2e_pass
