# Shared steps of the launcher scenarios (setup_*.sh): a test CD of the
# scenario's own, mapped as drive D:, with the launcher at its root and
# copies of setup_recorder.exe as the programs that cdrun.ini names; the
# launcher started from D:\ as its current directory. The launcher's message
# boxes carry the same caption as its window: they are told apart by count
# (a box above the dialog makes two windows of that caption, and the box,
# owned or newly active, comes first in the window order). Source it after
# lib.sh and e2e_begin.

SETUP_RECORDER=${E2E_SETUP_RECORDER:-$E2E_BUILD/tests/e2e/setup_recorder.exe}
SETUP_ESCAPE=${E2E_SETUP_ESCAPE:-$E2E_BUILD/tests/e2e/setup_escape.exe}

SETUP_IDC_INSTALL=1000
SETUP_IDC_INSTRUCTIONS=1001
SETUP_IDC_EXIT=1004
SETUP_IDC_ABOUT=1005

# The cdrun.ini of the test CD: every command is a recorder on the CD.
SETUP_TEST_INI='[CDRun]
Bitmap=\nothing.bmp
CompanyName=Vantorin
Install=\tools\install.exe
MoreInfo=\tools\moreinfo.exe
About=\tools\about.exe'

# Makes the CD tree $E2E_DIR/cd and maps it as D:. $1: the text of
# \Internet\Vantorin\cdrun.ini (LF line ends, written with CR LF), or
# --no-ini for a CD without it.
setup_cd() {
  local f
  for f in "$E2E_SETUP" "$SETUP_RECORDER" "$SETUP_ESCAPE"; do
    [ -f "$f" ] || e2e_fail "missing $f (build the x86_64 tree first)"
  done
  SETUP_CD=$E2E_DIR/cd
  mkdir -p "$SETUP_CD/tools"
  cp "$E2E_SETUP" "$SETUP_CD/setup.exe"
  for f in install moreinfo about; do cp "$SETUP_RECORDER" "$SETUP_CD/tools/$f.exe"; done
  if [ "$1" != --no-ini ]; then
    mkdir -p "$SETUP_CD/Internet/Vantorin"
    printf '%s\n' "$1" | sed 's/$/\r/' >"$SETUP_CD/Internet/Vantorin/cdrun.ini"
  fi
  e2e_map_drive d "$SETUP_CD"
  SETUP_LAUNCHED=$(e2e_path 'C:\launched.log')
  rm -f "$SETUP_LAUNCHED"
}

# Starts the launcher from D:\ and waits for its window, captioned $1.
setup_start() {
  SETUP_CAPTION=$1
  e2e_start launcher --dir 'D:\' 'D:\setup.exe'
  e2e_wait_window "$SETUP_CAPTION"
  e2e_log "the launcher's window is captioned \"$SETUP_CAPTION\""
}

# Clicks button ID of the launcher's window.
setup_press() { e2e_answer "$SETUP_CAPTION" "$1"; }

# Waits until N windows carry the launcher's caption (bounded).
setup_wait_count() {
  local want=$1 n tries=0
  while :; do
    n=$(e2e_drv count "$SETUP_CAPTION" | tr -d '\r')
    [ "$n" = "$want" ] && return 0
    [ $tries -ge 300 ] && e2e_fail "expected $want windows captioned \"$SETUP_CAPTION\", found $n"
    sleep 0.05
    tries=$((tries + 1))
  done
}

# Expects a message box above the launcher with exactly the text $1, and
# answers it with $2 (ok, yes or no).
setup_expect_box() {
  setup_wait_count 2
  e2e_expect_box "$SETUP_CAPTION" "$1"
  e2e_answer "$SETUP_CAPTION" "$2"
  setup_wait_count 1
}

# Expects C:\launched.log to hold exactly the given lines (each
# "program|current directory"), waiting for them to arrive.
setup_expect_launched() {
  local expected actual tries=0
  expected=$(printf '%s\n' "$@")
  while :; do
    actual=$(tr -d '\r' <"$SETUP_LAUNCHED" 2>/dev/null)
    [ "$actual" = "$expected" ] && break
    [ $tries -ge 200 ] && e2e_fail "programs started:
${actual:-(none)}
expected:
$expected"
    sleep 0.05
    tries=$((tries + 1))
  done
  e2e_log "started so far: $(printf '%s ' "$@")"
}

# Expects that nothing more than the given lines arrives within a second.
setup_expect_only_launched() {
  sleep 1
  setup_expect_launched "$@"
}
