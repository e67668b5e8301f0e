#!/usr/bin/env bash
# The data directory lies on a small file system that fills up: a tmpfs of
# 300 KiB, mapped as drive E:, recorded as E:\Brevio in brevio.ini. Another
# file (other.dat) takes the space. Two runs:
#   full      not a byte free: brevio.exe is created (a new empty file needs
#             no data block) but its first write stores nothing;
#   almost_full  room for brevio.exe, brevio.htm and one page more: both
#             are written whole, uninst.exe gets its first page and no more.
# Each time the installer says "unable to finish writing" under "Brevio Paper
# Installation Failed" (the create-failure text never shows: creating works,
# writing does not), then removes every payload file it had written, the
# complete ones included, and ends with exit status 0. While the message
# stands, the files before the failing one are complete and the failing one
# is there, cut short; afterwards none is left, other.dat is untouched and
# the space is free again. The record of E:\Brevio in brevio.ini stays.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin
source "$(dirname "$0")/fault.bash"

WRITE_FAILED_TEXT="The application was unable to finish writing a file to disk. Your hard drive is probably full. Check your available disk space, make additional space available, and run the setup program again."
PAGE=$(getconf PAGESIZE)
small=$E2E_DIR/small
fault_mount_tmpfs 300k "$small"
e2e_map_drive e "$small"
target=$small/Brevio

# Pages that a file of N bytes takes on the tmpfs.
pages() { echo $((($1 + PAGE - 1) / PAGE)); }
size_of() { stat -c %s "$(payload_source "$1")"; }

for case in full almost_full; do
  e2e_log "case $case"
  rm -rf "${small:?}"/*
  mkdir -p "$target"
  case $case in
    full) left=0 failing=0 last_progress="Percent Complete: 0%" ;;
    almost_full)
      left=$((($(pages "$(size_of brevio.exe)") + $(pages "$(size_of brevio.htm)") + 1) * PAGE))
      [ "$(size_of uninst.exe)" -gt 0 ] || e2e_fail "uninst.exe is empty: nothing would fail"
      failing=2 last_progress="Percent Complete: 66%" ;;
  esac
  fault_fill "$small" "$left" other.dat
  other_size=$(stat -c %s "$small/other.dat")
  other_sum=$(cksum <"$small/other.dat")
  fault_record_data_dir 'E:\Brevio'

  installer_run_until "$FAILED_CAPTION"
  e2e_expect_box "$FAILED_CAPTION" "$WRITE_FAILED_TEXT"
  progress=$(e2e_item "Setup Progress" 1002) || exit 1
  [ "$progress" = "$last_progress" ] || e2e_fail "case $case: progress shows \"$progress\", expected \"$last_progress\""
  # What stands on the disk while the message is shown.
  for ((i = 0; i < failing; i++)); do
    e2e_expect_same_file "$(payload_source "${PAYLOAD_FILES[$i]}")" "$target/${PAYLOAD_FILES[$i]}"
  done
  name=${PAYLOAD_FILES[$failing]}
  [ -f "$target/$name" ] || e2e_fail "case $case: $name was not created"
  written=$(stat -c %s "$target/$name")
  [ "$written" -lt "$(size_of "$name")" ] || e2e_fail "case $case: $name is whole ($written bytes)"
  e2e_log "while the message stands: ${PAYLOAD_FILES[*]:0:failing} complete, $name $written of $(size_of "$name") bytes"

  e2e_answer "$FAILED_CAPTION" ok
  e2e_expect_exit installer 0
  fault_expect_no_payload "$target"
  [ -d "$target" ] || e2e_fail "case $case: the data directory was removed"
  [ "$(stat -c %s "$small/other.dat")" = "$other_size" ] && [ "$(cksum <"$small/other.dat")" = "$other_sum" ] ||
    e2e_fail "case $case: other.dat changed"
  [ "$(fault_free_bytes "$small")" = "$left" ] ||
    e2e_fail "case $case: $(fault_free_bytes "$small") bytes free after the run, $left before"
  e2e_expect_ini "$(e2e_path "$BREVIO_INI")" Options dataDir 'E:\Brevio'
  e2e_expect_no_window "Installation Successful"
done
e2e_pass
