#!/usr/bin/env bash
# The data directory C:\Program Files\Brevio exists but is read-only (a
# read-only bind mount of itself, which stops root as well as anyone). The
# installer finds it, asks nothing, and cannot create brevio.exe: it says
# "not able to create" under "Brevio Paper Installation Failed" and ends with
# exit status 0. Two runs:
#   empty     the directory holds nothing, and nothing appears in it;
#   earlier   it holds an earlier installation's three files, which neither
#             the failed extraction nor the removal afterwards can touch:
#             they stay byte for byte, nothing is lost.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin
source "$(dirname "$0")/fault.bash"

target=$(e2e_path "$BREVIO_DIR")
mkdir -p "$target"
fault_make_readonly "$target"
earlier=$E2E_DIR/earlier

for case in empty earlier; do
  e2e_log "case $case"
  if [ $case = earlier ]; then
    # Filled through the writable folder underneath the read-only view.
    mount -o remount,bind,rw "$target" || e2e_fail "could not make $target writable again"
    for name in "${PAYLOAD_FILES[@]}"; do printf 'earlier %s\r\n' "$name" >"$target/$name"; done
    mount -o remount,bind,ro "$target" || e2e_fail "could not make $target read-only again"
    mkdir -p "$earlier"
    cp -p "$target"/* "$earlier/"
  fi
  touch "$target/probe" 2>/dev/null && e2e_fail "root can still create files in $target"

  installer_run_until "$FAILED_CAPTION"
  e2e_expect_box "$FAILED_CAPTION" "$CREATE_FAILED_TEXT"
  progress=$(e2e_item "Setup Progress" 1002) || exit 1
  [ "$progress" = "Percent Complete: 0%" ] || e2e_fail "case $case: progress shows \"$progress\""
  e2e_answer "$FAILED_CAPTION" ok
  e2e_expect_exit installer 0

  case $case in
    empty) [ -z "$(ls -A "$target")" ] || e2e_fail "the read-only directory holds: $(ls -A "$target")" ;;
    earlier)
      [ "$(ls -A "$target" | sort)" = "$(printf '%s\n' "${PAYLOAD_FILES[@]}" | sort)" ] ||
        e2e_fail "the directory holds: $(ls -A "$target")"
      for name in "${PAYLOAD_FILES[@]}"; do e2e_expect_same_file "$earlier/$name" "$target/$name"; done ;;
  esac
  e2e_expect_no_window "Installation Successful"
done
e2e_pass
