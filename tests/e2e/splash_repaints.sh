#!/usr/bin/env bash
# Tens of thousands of paints leave the launcher where it started: every
# paint loads the picture, makes a bitmap section, a palette and a memory
# context, and frees them all. Wine 8 answers GetGuiResources with 0, so the
# count of GDI objects is read from what each of them costs: a paint that
# left its bitmap section behind would hold 52 KB more memory per paint, its
# palette or memory context more than 1 KB. The resident memory of the
# launcher's process (VmRSS in /proc/PID/status) after a warm-up is compared
# with the figure after the long run.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/splash.bash"
PAINTS=${SPLASH_PAINTS:-20000}
LIMIT_KIB=${SPLASH_RSS_LIMIT_KIB:-4096}
e2e_begin

splash_cd splash.bmp
cp "$E2E_SOURCE/cd/splash.bmp" "$SPLASH_CD/splash.bmp"
splash_start
pid=$(splash_unix_pid) || e2e_fail "no launcher process found"

e2e_log "warm-up: $(splash_repaint 500)"
before=$(splash_rss_kib "$pid")
e2e_log "long run: $(splash_repaint "$PAINTS")"
after=$(splash_rss_kib "$pid")
e2e_log "VmRSS of the launcher: $before KiB before, $after KiB after $PAINTS paints ($((after - before)) KiB)"
[ $((after - before)) -le "$LIMIT_KIB" ] ||
  e2e_fail "the launcher grew by $((after - before)) KiB in $PAINTS paints"

# Still the picture, and still working.
splash_screenshot "$E2E_DIR/after.png"
splash_expect_picture "$E2E_SOURCE/cd/splash.bmp" "$E2E_DIR/after.png"
e2e_answer "$SPLASH_CAPTION" $((1004))  # Exit
e2e_expect_exit launcher 0
e2e_pass
