#!/usr/bin/env bash
# On a screen of 8 bits per pixel (a palette display) the launcher selects
# and realises the picture's own palette before it draws, at every paint:
# Wine's palette trace shows the picture's colour table, in its order,
# realised into the display's palette, and the screen shows the picture's
# exact colours.
export E2E_SCREEN_DEPTH=8
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/splash.bash"
e2e_begin

splash_cd splash.bmp
cp "$E2E_SOURCE/cd/splash.bmp" "$SPLASH_CD/splash.bmp"
splash_start --trace-palette
sleep 1
e2e_log "$(splash_repaint 2)"
splash_screenshot "$E2E_DIR/screen8.png"
splash_expect_picture "$E2E_SOURCE/cd/splash.bmp" "$E2E_DIR/screen8.png"
splash_keep_shot launcher-8bit.png
realised=$(splash_realised "$E2E_SOURCE/cd/splash.bmp")
[ "$realised" -ge 3 ] || e2e_fail "the picture's palette was realised $realised times in 3 paints"
e2e_log "the picture's own palette was realised $realised times"

e2e_answer "$SPLASH_CAPTION" $((1004))  # Exit
e2e_expect_exit launcher 0
e2e_pass
