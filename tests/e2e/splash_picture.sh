#!/usr/bin/env bash
# The launcher shows the CD's splash picture at 19,10 of its window: the
# screen holds the picture's own pixels there. The file is read again at
# every paint: replaced by a 400 by 200 picture, the next paint shows that
# picture's top-left 365 by 140 pixels, cut and not scaled. On this screen of
# 24 bits per pixel no palette is selected or realised.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/splash.bash"
e2e_begin

splash_cd splash.bmp
cp "$E2E_SOURCE/cd/splash.bmp" "$SPLASH_CD/splash.bmp"
splash_start --trace-palette
sleep 1
splash_screenshot "$E2E_DIR/first.png"
splash_expect_picture "$E2E_SOURCE/cd/splash.bmp" "$E2E_DIR/first.png"
splash_keep_shot launcher.png

python3 "$SPLASH_PIXELS" make "$E2E_DIR/large.bmp" 400 200
cp "$E2E_DIR/large.bmp" "$SPLASH_CD/splash.bmp"
e2e_log "$(splash_repaint 1)"
splash_screenshot "$E2E_DIR/large.png"
splash_expect_picture "$E2E_DIR/large.bmp" "$E2E_DIR/large.png"

realisations=$(splash_realisations)
[ "$realisations" = 0 ] || e2e_fail "a palette was realised $realisations times on a true-colour screen"

e2e_answer "$SPLASH_CAPTION" $((1004))  # Exit
e2e_expect_exit launcher 0
e2e_pass
