# Scenario library for the end-to-end tests: runs our x86_64 programs under
# Wine in Xvfb, each scenario in a prefix and on a display of its own, and
# drives their windows with e2edriver.exe. Source it, then call e2e_begin:
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_begin
#   e2e_start inst "$E2E_INSTALLER"
#   e2e_answer "Installation Successful" no
#   e2e_expect_exit inst 0
#   e2e_pass
#
# See README.md beside this file for every function. Paths come from the
# environment (CTest sets them; the defaults fit a build in build/):
#   E2E_BUILD      the x86_64 build tree            (default build/win-x86_64)
#   E2E_DRIVER     e2edriver.exe                    (default in E2E_BUILD)
#   E2E_INSTALLER  installer.exe                    (default in E2E_BUILD)
#   E2E_SETUP      setup.exe, when the tree has it  (default in E2E_BUILD)
#   E2E_PAYLOAD    the built payload folder         (default E2E_BUILD/installer/payload)
#   E2E_SOURCE     the checkout                     (default: two levels up)
#   E2E_WORK       where the template prefix and the scenario folders go
#   E2E_KEEP=1     keep the scenario folder (prefix, logs) even on success
#   E2E_TIMEOUT_MS default wait for a window (default 15000)
#   E2E_SCREEN_DEPTH bits per pixel of the scenario's screen (default 24)

set -uo pipefail

E2E_SOURCE=${E2E_SOURCE:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
E2E_BUILD=${E2E_BUILD:-$E2E_SOURCE/build/win-x86_64}
E2E_DRIVER=${E2E_DRIVER:-$E2E_BUILD/tests/e2e/e2edriver.exe}
E2E_INSTALLER=${E2E_INSTALLER:-$E2E_BUILD/installer/installer.exe}
E2E_SETUP=${E2E_SETUP:-$E2E_BUILD/setup/setup.exe}
E2E_PAYLOAD=${E2E_PAYLOAD:-$E2E_BUILD/installer/payload}
E2E_WORK=${E2E_WORK:-$E2E_BUILD/tests/e2e/work}
E2E_TIMEOUT_MS=${E2E_TIMEOUT_MS:-15000}
E2E_WINUSER=${USER:-$(id -un)}

# Quiet Wine; no Mono/Gecko download prompts; no desktop menu entries in the
# user's real home.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

E2E_NAME=""
E2E_DIR=""
E2E_XVFB_PID=""
E2E_PASSED=0
declare -A E2E_PIDS=()

e2e_log() { echo "[$E2E_NAME] $*" >&2; }

# Prints every top-level window, for failure messages.
e2e_dump_windows() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  echo "--- top-level windows now:" >&2
  timeout 20 wine "$E2E_DRIVER" list 2>&1 | grep -v ' hidden ' >&2 || true
  echo "---" >&2
}

e2e_fail() {
  echo "FAIL [$E2E_NAME]: $*" >&2
  e2e_dump_windows
  exit 1
}

# Exit status 77 tells CTest the scenario was skipped (SKIP_RETURN_CODE).
e2e_skip() {
  echo "SKIP [$E2E_NAME]: $*" >&2
  E2E_PASSED=1
  exit 77
}

e2e_pass() {
  E2E_PASSED=1
  echo "PASS [$E2E_NAME]"
  exit 0
}

# --- X server -----------------------------------------------------------

# Starts Xvfb on a free display; sets the variables named $1 (display
# number) and $2 (pid). $3: bits per pixel of the screen (default 24).
e2e_start_xvfb() {
  local _xfile _xpid _xdisplay _xtries=0
  _xfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "1024x768x${3:-24}" -nolisten tcp 3>"$_xfile" </dev/null >/dev/null 2>&1 8>&- 9>&- &
  _xpid=$!
  while [ ! -s "$_xfile" ] && [ $_xtries -lt 100 ]; do
    kill -0 "$_xpid" 2>/dev/null || break
    sleep 0.1
    _xtries=$((_xtries + 1))
  done
  _xdisplay=$(tr -dc 0-9 <"$_xfile")
  rm -f "$_xfile"
  if [ -z "$_xdisplay" ]; then
    kill "$_xpid" 2>/dev/null || true
    echo "e2e: Xvfb did not start" >&2
    return 1
  fi
  printf -v "$1" '%s' "$_xdisplay"
  printf -v "$2" '%s' "$_xpid"
}

# --- Prefix template ------------------------------------------------------

# The stamp names the Wine build: a template from another Wine is rebooted.
e2e_wine_stamp() {
  echo "$(wine --version 2>/dev/null) $(stat -c %Y /usr/share/wine/wine.inf 2>/dev/null)" \
    "$(ls /usr/share/wine/fonts 2>/dev/null | wc -l)"
}

# Boots the template prefix once (under a lock, so parallel scenarios wait
# for one boot instead of racing); later calls find it ready.
e2e_template() {
  local template=$E2E_WORK/template
  mkdir -p "$E2E_WORK"
  exec 8>"$E2E_WORK/template.lock"
  flock 8
  if [ "$(cat "$template/.e2e-stamp" 2>/dev/null)" != "$(e2e_wine_stamp)" ]; then
    echo "e2e: booting the template Wine prefix in $template (once; 10-20 s)" >&2
    rm -rf "$template" "$template.new"
    mkdir -p "$template.new" "$E2E_WORK/home"
    local display="" pid="" ok=1
    e2e_start_xvfb display pid || { flock -u 8; return 1; }
    HOME=$E2E_WORK/home DISPLAY=:$display WINEPREFIX=$template.new timeout 180 wine wineboot -i \
      >"$E2E_WORK/wineboot.log" 2>&1 8>&- || ok=0
    HOME=$E2E_WORK/home WINEPREFIX=$template.new timeout 60 wineserver -w 8>&- || ok=0
    WINEPREFIX=$template.new wineserver -k 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [ $ok = 0 ] || [ ! -f "$template.new/system.reg" ]; then
      echo "e2e: wineboot failed for $template.new" >&2
      flock -u 8
      return 1
    fi
    # The user's folders are links into the boot's home: make them real
    # folders, so that no scenario writes outside its own prefix.
    local link
    while IFS= read -r -d '' link; do
      rm "$link" && mkdir "$link" || return 1
    done < <(find "$template.new/drive_c/users" -maxdepth 2 -type l -print0)
    # Wine's own fonts (MS Sans Serif among them, from fonts-wine) are not
    # put into a new prefix by this Wine build; without them every dialog
    # font falls back to a wider Unix font and texts wrap.
    cp /usr/share/wine/fonts/* "$template.new/drive_c/windows/Fonts/" 2>/dev/null || true
    e2e_wine_stamp >"$template.new/.e2e-stamp"
    mv "$template.new" "$template"
  fi
  flock -u 8
  exec 8>&-
}

# Copies the template into $1. The Windows system files (most of the 700 MB)
# are hard links: no program under test writes there. Everything else,
# registry and INI files included, is a real copy.
e2e_copy_prefix() {
  local template=$E2E_WORK/template dst=$1
  mkdir -p "$dst/drive_c/windows"
  tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/winsxs \
      --exclude=./drive_c/windows/syswow64 -cf - . | tar -C "$dst" -xf - || return 1
  local d
  for d in system32 winsxs syswow64; do
    [ -d "$template/drive_c/windows/$d" ] && { cp -al "$template/drive_c/windows/$d" "$dst/drive_c/windows/" || return 1; }
  done
  return 0
}

# --- Scenario life cycle --------------------------------------------------

e2e_cleanup() {
  local status=$?
  [ $E2E_PASSED = 1 ] && status=0
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
  fi
  local name
  for name in "${!E2E_PIDS[@]}"; do
    kill "${E2E_PIDS[$name]}" 2>/dev/null || true
    wait "${E2E_PIDS[$name]}" 2>/dev/null || true
  done
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_DIR" ]; then
    if [ "$status" = 0 ] && [ "${E2E_KEEP:-0}" != 1 ]; then
      rm -rf "$E2E_DIR"
    else
      echo "[$E2E_NAME] scenario folder kept: $E2E_DIR" >&2
    fi
  fi
}

# Sets up the scenario: its folder, a fresh prefix copied from the template
# (WINEPREFIX), its own X display (DISPLAY), and the cleanup on exit.
e2e_begin() {
  E2E_NAME=${E2E_NAME_OVERRIDE:-$(basename "$0" .sh)}
  local f
  for f in "$E2E_DRIVER"; do
    [ -f "$f" ] || { echo "FAIL [$E2E_NAME]: missing $f (build the x86_64 tree first)" >&2; exit 1; }
  done
  command -v wine >/dev/null && command -v Xvfb >/dev/null ||
    { echo "FAIL [$E2E_NAME]: wine and Xvfb are needed (scripts/install-deps.sh)" >&2; exit 1; }
  [ -z "$E2E_DIR" ] || e2e_fail "e2e_begin called twice"
  trap e2e_cleanup EXIT
  e2e_template || e2e_fail "no template prefix"
  mkdir -p "$E2E_WORK/run"
  E2E_DIR=$(mktemp -d "$E2E_WORK/run/$E2E_NAME.XXXXXX")
  mkdir -p "$E2E_DIR/home"
  export HOME=$E2E_DIR/home
  e2e_copy_prefix "$E2E_DIR/prefix" || e2e_fail "could not copy the template prefix"
  export WINEPREFIX=$E2E_DIR/prefix
  local display pid
  e2e_start_xvfb display pid "${E2E_SCREEN_DEPTH:-24}" || e2e_fail "Xvfb did not start"
  E2E_XVFB_PID=$pid
  export DISPLAY=:$display
  # One persistent server for the whole scenario, detached from our output
  # (the cleanup ends it with wineserver -k).
  wineserver -p </dev/null >/dev/null 2>&1 8>&- 9>&-
  # A reaper in a session of its own ends that server and Xvfb should this
  # shell be killed without its cleanup (a CTest timeout, say).
  setsid bash -c 'while kill -0 "$1" 2>/dev/null; do sleep 1; done
                  WINEPREFIX=$2 timeout 30 wineserver -k; kill "$3"' reaper "$$" "$WINEPREFIX" "$E2E_XVFB_PID" \
    </dev/null >/dev/null 2>&1 8>&- 9>&- &
  e2e_log "prefix $WINEPREFIX, display $DISPLAY"
}

# --- Paths ----------------------------------------------------------------

# The Unix path of a Windows path in the scenario's prefix: C:\a\b ->
# $WINEPREFIX/dosdevices/c:/a/b.
e2e_path() {
  local win=$1 drive rest
  drive=$(printf '%s' "${win:0:1}" | tr 'A-Z' 'a-z')
  rest=${win:2}
  rest=${rest//\\//}
  printf '%s\n' "$WINEPREFIX/dosdevices/$drive:$rest"
}

# Maps a drive letter to a Unix folder: e2e_map_drive d /path/to/cd-tree.
e2e_map_drive() {
  ln -sfn "$2" "$WINEPREFIX/dosdevices/$(printf '%s' "$1" | tr 'A-Z' 'a-z'):"
}

# --- Programs -------------------------------------------------------------

# Starts a program in the background and records its exit status.
#   e2e_start NAME [--dir 'D:\'] PROGRAM [ARGS...]
# PROGRAM is a Unix path or a Windows path. With --dir it runs through
# `wine start /wait /d DIR`, so DIR is its current directory.
e2e_start() {
  local name=$1
  shift
  local dir=""
  if [ "${1:-}" = --dir ]; then
    dir=$2
    shift 2
  fi
  local program=$1
  shift
  local log=$E2E_DIR/$name.log
  rm -f "$E2E_DIR/$name.rc"
  (
    if [ -n "$dir" ]; then
      if [[ $program == /* ]]; then
        wine start /wait /d "$dir" /unix "$program" "$@"
      else
        wine start /wait /d "$dir" "$program" "$@"
      fi
    else
      wine "$program" "$@"
    fi
    echo $? >"$E2E_DIR/$name.rc"
  ) >"$log" 2>&1 &
  E2E_PIDS[$name]=$!
  e2e_log "started $name: $program $*"
}

# Waits for the program started as NAME to end; sets E2E_STATUS to its
# exit status.
#   e2e_wait_exit NAME [SECONDS]   (default 60)
e2e_wait_exit() {
  local name=$1 limit=${2:-60}
  local pid=${E2E_PIDS[$name]:-}
  [ -n "$pid" ] || e2e_fail "no program was started as $name"
  local waited=0
  while [ ! -f "$E2E_DIR/$name.rc" ]; do
    [ $waited -ge $((limit * 10)) ] && e2e_fail "$name did not end within $limit s"
    sleep 0.1
    waited=$((waited + 1))
  done
  wait "$pid" 2>/dev/null || true
  unset "E2E_PIDS[$name]"
  E2E_STATUS=$(cat "$E2E_DIR/$name.rc")
}

#   e2e_expect_exit NAME STATUS [SECONDS]
e2e_expect_exit() {
  e2e_wait_exit "$1" "${3:-60}"
  [ "$E2E_STATUS" = "$2" ] || e2e_fail "$1 ended with exit status $E2E_STATUS, expected $2"
  e2e_log "$1 ended with exit status $E2E_STATUS"
}

# Whether the program started as NAME is still running.
e2e_running() { [ ! -f "$E2E_DIR/$1.rc" ]; }

# Prints the command line of every Windows process of this prefix, one a line
# (as Wine shows them: C:\path\program.exe ARGS).
e2e_wine_processes() {
  local dir
  for dir in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$dir/environ" | grep -xF "WINEPREFIX=$WINEPREFIX" >/dev/null || continue
    tr '\0' ' ' 2>/dev/null <"$dir/cmdline"
    echo
  done
}

# --- Windows (through e2edriver.exe) --------------------------------------

# Runs the driver with the given arguments; prints its output.
e2e_drv() { wine "$E2E_DRIVER" "$@"; }

# Button names for e2e_answer: ok cancel yes no, or a number.
e2e_button_id() {
  case $1 in
    ok) echo 1 ;; cancel) echo 2 ;; yes) echo 6 ;; no) echo 7 ;;
    *[!0-9]* | '') echo "e2e: unknown button $1" >&2; return 1 ;;
    *) echo "$1" ;;
  esac
}

# Waits until a visible top-level window CAPTION exists.
#   e2e_wait_window CAPTION [MS] [OTHER_CAPTION=BUTTON ...]
# While waiting, any visible window OTHER_CAPTION gets BUTTON pressed
# (ok/cancel/yes/no or an ID): use it for boxes that may or may not come.
e2e_wait_window() {
  local caption=$1 ms=${2:-$E2E_TIMEOUT_MS}
  shift
  [ $# -gt 0 ] && shift
  local rules=() rule
  local id
  for rule in "$@"; do
    id=$(e2e_button_id "${rule##*=}") || e2e_fail "bad answer rule $rule"
    rules+=("${rule%=*}=$id")
  done
  local out
  out=$(e2e_drv wait "$caption" "$ms" "${rules[@]}") || { [ -n "$out" ] && e2e_log "$out"; e2e_fail "window \"$caption\" did not appear within $ms ms"; }
  [ -n "$out" ] && e2e_log "$out"
  return 0
}

# Waits until no visible window CAPTION is left.
e2e_wait_gone() {
  e2e_drv gone "$1" "${2:-$E2E_TIMEOUT_MS}" || e2e_fail "window \"$1\" is still there after ${2:-$E2E_TIMEOUT_MS} ms"
}

# Fails when a visible window CAPTION exists right now.
e2e_expect_no_window() {
  local count
  count=$(e2e_drv count "$1")
  [ "$count" = 0 ] || e2e_fail "unexpected window \"$1\""
}

# Prints the text of message box CAPTION (waits for it first).
e2e_box_text() {
  e2e_drv text "$1" "${2:-$E2E_TIMEOUT_MS}" || e2e_fail "no message box \"$1\""
}

# Checks the exact text of message box CAPTION.
e2e_expect_box() {
  local caption=$1 expected=$2 actual
  actual=$(e2e_box_text "$caption") || exit 1
  [ "$actual" = "$expected" ] ||
    e2e_fail "message box \"$caption\" says:
  $actual
expected:
  $expected"
  e2e_log "box \"$caption\" has the expected text"
}

# Presses BUTTON (ok/cancel/yes/no or an ID) in window CAPTION.
e2e_answer() {
  local id
  id=$(e2e_button_id "$2") || exit 1
  # A second try: on a loaded machine a start of the driver itself has been
  # seen to fail once with the window in plain view.
  local try status
  for try in 1 2 3; do
    e2e_drv press "$1" "$id" "${3:-$E2E_TIMEOUT_MS}"
    status=$?
    [ $status = 0 ] && break
    e2e_log "pressing $2 in \"$1\" failed (driver status $status), try $try"
    sleep 1
  done
  [ $status = 0 ] || e2e_fail "could not press $2 in \"$1\""
  e2e_log "pressed $2 in \"$1\""
}

# Prints the text of control ID of window CAPTION.
e2e_item() { e2e_drv item "$1" "$2" "${3:-$E2E_TIMEOUT_MS}" || e2e_fail "no control $2 in \"$1\""; }

# Sets the text of control ID of window CAPTION.
e2e_settext() { e2e_drv settext "$1" "$2" "$3" "${4:-$E2E_TIMEOUT_MS}" || e2e_fail "could not set control $2 of \"$1\""; }

# Posts WM_CLOSE to window CAPTION (its close box).
e2e_close() { e2e_drv close "$1" "${2:-$E2E_TIMEOUT_MS}" || e2e_fail "no window \"$1\" to close"; }

# Watches in the background for windows that may show only briefly:
#   e2e_watch_start CAPTION...   then   e2e_expect_seen CAPTION
e2e_watch_start() {
  (wine "$E2E_DRIVER" watch 600000 "$@" >"$E2E_DIR/watch.log" 2>&1) &
  E2E_PIDS[watch]=$!
  sleep 0.5
}

e2e_expect_seen() {
  grep -qxF "$1" "$E2E_DIR/watch.log" 2>/dev/null || e2e_fail "window \"$1\" was never seen"
}

# Saves a PNG of the whole screen, or of the client area of window CAPTION.
#   e2e_screenshot FILE [CAPTION]
e2e_screenshot() {
  local file=$1 caption=${2:-}
  if [ -n "$caption" ]; then
    local x y w h
    read -r x y w h < <(e2e_drv origin "$caption") || e2e_fail "no window \"$caption\" to photograph"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file" || e2e_fail "screenshot failed"
  else
    import -window root "$file" || e2e_fail "screenshot failed"
  fi
}

# --- Assertions on files --------------------------------------------------

e2e_expect_same_file() {
  [ -f "$2" ] || e2e_fail "missing file $2"
  cmp -s "$1" "$2" || e2e_fail "$2 differs from $1"
}

e2e_expect_file() { [ -e "$1" ] || e2e_fail "missing $1"; }
e2e_expect_no_file() { [ ! -e "$1" ] || e2e_fail "unexpected $1"; }

# Prints the value of KEY in [SECTION] of an INI file (CR LF or LF lines,
# names matched without regard to case). Fails when the key is absent.
e2e_ini_get() {
  local file=$1 section=$2 key=$3
  [ -f "$file" ] || { echo "e2e: no INI file $file" >&2; return 1; }
  awk -v s="$section" -v k="$key" '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { line = $0; gsub(/^[ \t]*\[|\][ \t]*$/, "", line); insec = (tolower(line) == tolower(s)); next }
    insec {
      eq = index($0, "="); if (!eq) next
      name = substr($0, 1, eq - 1); gsub(/^[ \t]+|[ \t]+$/, "", name)
      if (tolower(name) == tolower(k)) { print substr($0, eq + 1); found = 1; exit }
    }
    END { exit found ? 0 : 1 }' "$file"
}

#   e2e_expect_ini FILE SECTION KEY VALUE
e2e_expect_ini() {
  local actual
  actual=$(e2e_ini_get "$1" "$2" "$3") || e2e_fail "no [$2] $3 in $1"
  [ "$actual" = "$4" ] || e2e_fail "[$2] $3 in $1 is \"$actual\", expected \"$4\""
}
