# Shared steps of the splash picture scenarios (splash_*.sh): a CD tree of
# the scenario's own with the launcher and a cdrun.ini that names the
# picture, the launcher started from it, and screenshots compared with the
# picture pixel by pixel. Source it after lib.sh and e2e_begin.

SPLASH_CAPTION="Brevio Installation"
SPLASH_PIXELS=$E2E_SOURCE/tests/e2e/splash_pixels.py
E2E_SPLASH_REPAINT=${E2E_SPLASH_REPAINT:-$E2E_BUILD/tests/e2e/splash_repaint.exe}
# Screenshots that the README shows are kept here.
SPLASH_SHOTS=${E2E_SCREENSHOTS:-$E2E_WORK/screenshots}

# The picture sits at 19, 10 of the client area. The sunken frame around it
# (a child window, painted after the picture) covers its edges; where depends
# on the dialog font's metrics, which differ between Wine setups (6 by 12 or
# 7 by 13 pixels per base unit): splash_start works out, from the size of the
# client area, the part of the picture that stays visible (SPLASH_BOX).
SPLASH_X=19
SPLASH_Y=10

# Makes the CD tree in $E2E_DIR/cd with the launcher at its root and maps it
# as drive D:. $1: the value of "Bitmap".
splash_cd() {
  [ -f "$E2E_SETUP" ] || e2e_fail "missing $E2E_SETUP (build the x86_64 tree first)"
  [ -f "$E2E_SPLASH_REPAINT" ] || e2e_fail "missing $E2E_SPLASH_REPAINT"
  SPLASH_CD=$E2E_DIR/cd
  mkdir -p "$SPLASH_CD/Internet/Vantorin"
  cp "$E2E_SETUP" "$SPLASH_CD/setup.exe"
  printf '[CDRun]\r\nBitmap=%s\r\nCompanyName=Brevio\r\nInstall=D:\\missing.exe\r\nMoreInfo=D:\\missing.htm\r\nAbout=D:\\missing.htm\r\n' \
    "$1" >"$SPLASH_CD/Internet/Vantorin/cdrun.ini"
  e2e_map_drive d "$SPLASH_CD"
}

# Starts the launcher from D:\ and waits for its window. With
# --trace-palette, Wine logs the palette calls of the launcher's process into
# $E2E_DIR/launcher.log (SPLASH_LOG): every realisation lists its entries.
splash_start() {
  SPLASH_LOG=$E2E_DIR/launcher.log
  if [ "${1:-}" = --trace-palette ]; then
    WINEDEBUG=trace+palette e2e_start launcher --dir 'D:\' 'D:\setup.exe'
  else
    e2e_start launcher --dir 'D:\' 'D:\setup.exe'
  fi
  e2e_wait_window "$SPLASH_CAPTION"
  local x y w h
  read -r x y w h < <(e2e_drv origin "$SPLASH_CAPTION") || e2e_fail "no client origin"
  SPLASH_ORIGIN_X=$x
  SPLASH_ORIGIN_Y=$y
  read -r -a SPLASH_BOX < <(python3 "$SPLASH_PIXELS" visible "$w" "$h")
  e2e_log "client area at $x,$y, $w by $h; picture visible in ${SPLASH_BOX[*]}"
}

# Makes the launcher paint N times (each a complete WM_PAINT); prints how
# many paints it made and how long they took.
splash_repaint() {
  wine "$E2E_SPLASH_REPAINT" "$SPLASH_CAPTION" "$1" || e2e_fail "the launcher did not take $1 paints"
}

# Saves a screenshot of the whole screen in $1.
splash_screenshot() {
  import -window root "$1" || e2e_fail "screenshot failed"
}

# Saves a picture of the launcher's X window alone in $1, read through that
# window's own colormap (on a screen of 8 bits per pixel Wine gives its
# windows a colormap of their own, which a picture of the root window does
# not use). Later comparisons take their positions relative to that window.
splash_window_screenshot() {
  local line xid geometry
  line=$(xwininfo -root -tree | grep -F "\"$SPLASH_CAPTION\":" | head -n 1)
  xid=$(awk '{ print $1 }' <<<"$line")
  geometry=$(grep -oE '\+-?[0-9]+\+-?[0-9]+$' <<<"$line")
  [ -n "$xid" ] && [ -n "$geometry" ] || e2e_fail "no X window for \"$SPLASH_CAPTION\""
  import -window "$xid" "$1" || e2e_fail "screenshot failed"
  local wx=${geometry#+} wy
  wy=${wx#*+}
  wx=${wx%%+*}
  SPLASH_SHOT_X=$wx
  SPLASH_SHOT_Y=$wy
}

# Compares picture $1 with screenshot $2 where the launcher draws it.
splash_expect_picture() {
  local out
  out=$(python3 "$SPLASH_PIXELS" compare "$1" "$2" $((SPLASH_ORIGIN_X - ${SPLASH_SHOT_X:-0} + SPLASH_X)) \
        $((SPLASH_ORIGIN_Y - ${SPLASH_SHOT_Y:-0} + SPLASH_Y)) "${SPLASH_BOX[@]}") ||
    e2e_fail "the screen does not show $(basename "$1") at $SPLASH_X,$SPLASH_Y:
$out"
  e2e_log "$(basename "$1"): $out"
}

# Saves the launcher's client area as docs picture $1 (a PNG name).
splash_keep_shot() {
  mkdir -p "$SPLASH_SHOTS"
  e2e_screenshot "$SPLASH_SHOTS/$1" "$SPLASH_CAPTION"
}

# The Unix process id of the launcher in this scenario's prefix.
splash_unix_pid() {
  local dir pid
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    # argv[0] of a Wine process is its Windows path (the start command that
    # launched it names it only further on)
    # (Whole reads, no early-closing pipes: under pipefail a reader that
    # stops early would fail the test by chance.)
    local argv0 environ
    argv0=$(tr '\0' '\n' <"$dir/cmdline" 2>/dev/null | sed -n 1p)
    environ=$(tr '\0' '\n' <"$dir/environ" 2>/dev/null)
    grep -qi 'setup\.exe$' <<<"$argv0" || continue
    grep -qxF "WINEPREFIX=$WINEPREFIX" <<<"$environ" || continue
    echo "$pid"
    return 0
  done
  return 1
}

# Resident memory of process $1 in KiB (VmRSS of /proc/PID/status).
splash_rss_kib() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

# How many times the launcher realised a palette made of picture $1's own
# colour table (needs splash_start --trace-palette).
splash_realised() {
  python3 "$SPLASH_PIXELS" realised "$1" "$SPLASH_LOG"
}

# How many palette realisations of any kind the log shows.
splash_realisations() {
  grep -c 'trace:palette:realize_palette 0x' "$SPLASH_LOG"
}
