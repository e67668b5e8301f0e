#!/usr/bin/env bash
# No Program Manager server at all: the desktop's PROGMAN DDE service is taken
# away before the installer starts (progman_absent closes its DDE name-server
# windows and checks that no PROGMAN server answers a connection). Every group
# and item command then finds nobody to talk to; the installer goes on without
# a word about it: the Startup question still comes, Yes is answered, and the
# run ends with "Installation Successful" and exit status 0, the payload
# complete and the data directory recorded. No group or shortcut appears
# anywhere, and the commands that found no server cost no noticeable time.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

PROGMAN_ABSENT=${E2E_PROGMAN_ABSENT:-$E2E_BUILD/tests/e2e/progman_absent.exe}
[ -f "$PROGMAN_ABSENT" ] || e2e_fail "missing $PROGMAN_ABSENT (build the x86_64 tree first)"
START_MENU=$(e2e_path "C:\\users\\$E2E_WINUSER\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu")

# Into a file, not a pipe: this is the first Windows program of the prefix,
# and the desktop and services it starts keep its output open.
timeout 60 wine "$PROGMAN_ABSENT" >"$E2E_DIR/progman_absent.log" 2>&1 ||
  e2e_fail "could not take the PROGMAN service away: $(cat "$E2E_DIR/progman_absent.log")"
e2e_log "$(tr -d '\r' <"$E2E_DIR/progman_absent.log" | tr '\n' ' ')"

mkdir -p "$(e2e_path "$BREVIO_DIR")"
before=$(find "$START_MENU" 2>/dev/null | sort)
e2e_watch_start "Setup Progress"
e2e_start installer "$E2E_INSTALLER"
e2e_wait_window "Add To Startup Group" 60000 "Closing Running Copies=ok"
e2e_expect_seen "Setup Progress"
e2e_answer "Add To Startup Group" yes
# The six group and item commands and the four Startup commands all went
# unanswered before the question; the rest must not hang either.
e2e_wait_window "Installation Successful" 10000
e2e_expect_box "Installation Successful" "$SUCCESS_TEXT"
e2e_answer "Installation Successful" no
e2e_expect_exit installer 0

installer_expect_installed "$BREVIO_DIR"
after=$(find "$START_MENU" 2>/dev/null | sort)
[ "$before" = "$after" ] || e2e_fail "the Start Menu changed without a PROGMAN server:
$(diff <(printf '%s\n' "$before") <(printf '%s\n' "$after"))"
e2e_expect_no_window "Brevio"
e2e_pass
