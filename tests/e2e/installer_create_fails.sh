#!/usr/bin/env bash
# The data directory exists but the payload files cannot be created in it:
# the installer says so under "Brevio Paper Installation Failed", removes
# what it wrote and ends with exit status 0. Two ways to fail, one run each:
#   unwritable  the directory refuses every new file (a /proc folder, which
#               refuses even root), so the first file fails;
#   name_taken  a folder named brevio.htm stands where the second file goes,
#               so brevio.exe is written first and must be removed again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

target=$(e2e_path "$BREVIO_DIR")
for case in unwritable name_taken; do
  e2e_log "case $case"
  rm -rf "$target"
  # The progress line tells which file failed: the last report came before it.
  case $case in
    unwritable) ln -s /proc/1 "$target"; last_progress="Percent Complete: 0%" ;;
    name_taken) mkdir -p "$target/brevio.htm"; last_progress="Percent Complete: 33%" ;;
  esac

  installer_run_until "$FAILED_CAPTION"
  e2e_expect_box "$FAILED_CAPTION" "$CREATE_FAILED_TEXT"
  progress=$(e2e_item "Setup Progress" 1002) || exit 1
  [ "$progress" = "$last_progress" ] || e2e_fail "case $case: progress shows \"$progress\", expected \"$last_progress\""
  e2e_answer "$FAILED_CAPTION" ok
  e2e_expect_exit installer 0
  for name in "${PAYLOAD_FILES[@]}"; do
    [ -f "$target/$name" ] && e2e_fail "case $case: $name was left behind"
  done
  e2e_expect_no_window "Installation Successful"
  e2e_expect_no_window "Brevio Paper"
done
e2e_pass
