#!/usr/bin/env bash
# A running copy that ignores WM_QUIT and keeps brevio.exe open without
# write sharing (it shares read and delete access) outlasts the closing of
# running copies: the installer cannot create brevio.exe, says so under
# "Brevio Paper Installation Failed", and removes the payload files of the
# earlier installation. The held brevio.exe is not rewritten, and it is
# gone once the copy lets go of it.
source "$(dirname "$0")/lib.sh"
e2e_begin

TITLED_WINDOW=${E2E_TITLED_WINDOW:-$E2E_BUILD/tests/e2e/titled_window.exe}
[ -f "$TITLED_WINDOW" ] || e2e_fail "missing $TITLED_WINDOW (build the x86_64 tree first)"
CREATE_FAILED="The application was not able to create one of its component files. The disk is full, or a copy of the application is already running, or you do not have write access to the directory in which you are attempting to install the application. Check your available disk space and run the setup program again."

# The payload files as a built CD carries them.
payload_file() {
  if [ -f "$E2E_PAYLOAD/$1" ]; then echo "$E2E_PAYLOAD/$1"; else echo "$E2E_SOURCE/installer/payload/$1"; fi
}

# An earlier installation, with a brevio.exe that differs from the payload's.
data_dir='C:\Program Files\Brevio'
data_unix=$(e2e_path "$data_dir")
mkdir -p "$data_unix"
printf 'an older brevio.exe' >"$data_unix/brevio.exe"
cp "$(payload_file brevio.htm)" "$(payload_file uninst.exe)" "$data_unix/"
cp "$data_unix/brevio.exe" "$E2E_DIR/older-brevio.exe"
printf '[Options]\r\ndataDir=%s\r\n' "$data_dir" >"$(e2e_path 'C:\windows\brevio.ini')"

mkdir -p "$(e2e_path 'C:\e2e')"
e2e_start stubborn "$TITLED_WINDOW" "Brevio Paper" --ignore-quit --hold "$data_dir\\brevio.exe" \
  --log 'C:\e2e\stubborn.log'
e2e_wait_window "Brevio Paper"

e2e_start inst "$E2E_INSTALLER"
e2e_wait_window "Closing Running Copies"
e2e_answer "Closing Running Copies" ok

e2e_expect_box "Brevio Paper Installation Failed" "$CREATE_FAILED" 30000
e2e_answer "Brevio Paper Installation Failed" ok
e2e_expect_exit inst 0

# The copy was asked to quit, ignored it, and still holds the file.
grep -q quit "$(e2e_path 'C:\e2e\stubborn.log')" || e2e_fail "the stubborn copy never received WM_QUIT"
e2e_running stubborn || e2e_fail "the stubborn copy ended"
[ "$(e2e_drv count "Brevio Paper")" = 1 ] || e2e_fail "the stubborn copy's window is gone"

# The files nobody held are gone; brevio.exe, deleted while held, stays
# until its holder closes it, unchanged.
e2e_expect_no_file "$data_unix/brevio.htm"
e2e_expect_no_file "$data_unix/uninst.exe"
if [ -e "$data_unix/brevio.exe" ]; then
  cmp -s "$E2E_DIR/older-brevio.exe" "$data_unix/brevio.exe" || e2e_fail "the held brevio.exe was rewritten"
fi
e2e_close "Brevio Paper"
e2e_expect_exit stubborn 0 30
for _ in $(seq 50); do
  [ -e "$data_unix/brevio.exe" ] || break
  sleep 0.2
done
e2e_expect_no_file "$data_unix/brevio.exe"
e2e_pass
