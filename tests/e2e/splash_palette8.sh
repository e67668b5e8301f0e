#!/usr/bin/env bash
# On a screen of 8 bits per pixel (a palette display) the launcher selects
# and realises the picture's own palette before it draws, at every paint:
# Wine's palette trace shows the picture's colour table, in its order,
# realised into the display's palette, once per paint. The picture is drawn
# in place: its pure white (the sheet of paper, a colour that every palette
# display holds) shows white pixel for pixel. (Wine 8 draws a window of an
# 8-bit screen through a colour table of its own and does not show the other
# realised colours exactly, so they are not compared.)
export E2E_SCREEN_DEPTH=8
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/splash.bash"
e2e_begin

splash_cd splash.bmp
cp "$E2E_SOURCE/cd/splash.bmp" "$SPLASH_CD/splash.bmp"
splash_start --trace-palette
sleep 1
e2e_log "$(splash_repaint 2)"
realised=$(splash_realised "$E2E_SOURCE/cd/splash.bmp")
paints=$(splash_realisations)
[ "$realised" -ge 3 ] && [ "$realised" = "$paints" ] ||
  e2e_fail "the picture's own palette was realised $realised times, any palette $paints times, in at least 3 paints"
e2e_log "the picture's own palette was realised $realised times"

splash_window_screenshot "$E2E_DIR/screen8.png"
SPLASH_ONLY=255,255,255 splash_expect_picture "$E2E_SOURCE/cd/splash.bmp" "$E2E_DIR/screen8.png"
mkdir -p "$SPLASH_SHOTS"
cp "$E2E_DIR/screen8.png" "$SPLASH_SHOTS/launcher-8bit.png"

e2e_answer "$SPLASH_CAPTION" $((1004))  # Exit
e2e_expect_exit launcher 0
e2e_pass
