#!/usr/bin/env bash
# A picture file that is not there: the launcher paints without it, shows no
# message, and its buttons work as usual.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/splash.bash"
e2e_begin

splash_cd nothing-here.bmp
splash_start
e2e_log "$(splash_repaint 200)"
[ "$(e2e_drv count "$SPLASH_CAPTION")" = 1 ] || e2e_fail "a second window \"$SPLASH_CAPTION\" (a message?) appeared"

e2e_answer "$SPLASH_CAPTION" $((1000))  # Install Software, before the instructions
e2e_expect_box "$SPLASH_CAPTION" "The setup instructions contain important information about the Brevio software. Please read them before beginning installation."
e2e_answer "$SPLASH_CAPTION" ok
for _ in $(seq 50); do  # the box goes; the dialog stays
  [ "$(e2e_drv count "$SPLASH_CAPTION")" = 1 ] && break
  sleep 0.1
done
[ "$(e2e_drv count "$SPLASH_CAPTION")" = 1 ] || e2e_fail "the warning did not go away"

e2e_answer "$SPLASH_CAPTION" $((1004))  # Exit
e2e_expect_exit launcher 0
e2e_pass
