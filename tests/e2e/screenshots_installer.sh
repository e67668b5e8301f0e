#!/usr/bin/env bash
# A first installation, photographed window by window for the README: the
# data directory dialog, the running-copies warning, the Startup question and
# the closing offer. Each picture is the window's rectangle as Wine shows it
# on an X server without a window manager (no caption bar), and lands in
# $E2E_SCREENSHOTS (default: screenshots/ in the scenario work folder).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
SHOTS=${E2E_SCREENSHOTS:-$E2E_WORK/screenshots}
e2e_begin
mkdir -p "$SHOTS"

# Saves the rectangle of window CAPTION as $SHOTS/$2.
window_shot() {
  local left top right bottom
  read -r left top right bottom < <(e2e_drv rect "$1") || e2e_fail "no window \"$1\""
  sleep 0.5  # let it finish painting
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$SHOTS/$2" ||
    e2e_fail "screenshot of \"$1\" failed"
  e2e_log "saved $2"
}

e2e_start inst "$E2E_INSTALLER"
e2e_wait_window "Choose a Data Directory"
window_shot "Choose a Data Directory" installer-datadir.png
e2e_answer "Choose a Data Directory" ok
e2e_wait_window "Closing Running Copies" 30000
window_shot "Closing Running Copies" installer-running-copies.png
e2e_answer "Closing Running Copies" ok
e2e_wait_window "Add To Startup Group" 60000
window_shot "Add To Startup Group" installer-startup.png
e2e_answer "Add To Startup Group" no
e2e_wait_window "Installation Successful" 30000
window_shot "Installation Successful" installer-done.png
e2e_answer "Installation Successful" no
e2e_expect_exit inst 0
e2e_pass
