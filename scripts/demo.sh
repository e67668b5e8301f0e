#!/usr/bin/env bash
# The main job: installs the tool chain, builds the programs and the CD, then
# starts the CD's launcher setup.exe under Wine in a fresh prefix of its own
# (build/demo-prefix; your ~/.wine is never touched), with the CD tree
# build/cd-x86_64 mapped as drive D: and D:\ as the current directory, as
# from a real CD. The launcher's Install Software starts the installer on it.
#   With $DISPLAY set, the launcher opens on your desktop and you use it.
#   Without, it runs under Xvfb: the launcher's instructions are opened, the
#   installation confirmed, and every installer window on the way answered
#   with its usual button and photographed into build/screenshots/, whose
#   paths are printed at the end.
#   BUILD_DIR  where the trees go (default: build/ in the checkout)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${BUILD_DIR:-$root/build}
export BUILD_DIR=$out

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

# The harness of the end-to-end tests boots and copies the prefix.
E2E_BUILD=$out/win-x86_64
E2E_WORK=$out/demo
source "$root/tests/e2e/lib.sh"
set -e
E2E_NAME=demo
cd_tree=$out/cd-x86_64
[ -f "$cd_tree/setup.exe" ] || { echo "demo: $cd_tree/setup.exe was not built (scripts/make-cd.sh)" >&2; exit 1; }

e2e_template
rm -rf "$out/demo-prefix"
e2e_copy_prefix "$out/demo-prefix"
export WINEPREFIX=$out/demo-prefix
mkdir -p "$out/demo/home"
export HOME=$out/demo/home
ln -sfn "$cd_tree" "$WINEPREFIX/dosdevices/d:"

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: starting D:\\setup.exe from the CD $cd_tree on $DISPLAY (prefix $WINEPREFIX)"
  wine start /wait /d 'D:\' 'D:\setup.exe' || true
  echo "demo: the launcher has ended; an installation goes to $WINEPREFIX/drive_c"
  exit 0
fi

# Headless: Xvfb, the launcher and then the installer in the background, and
# each expected window photographed and answered in turn until the
# application's own window shows.
shots=$out/screenshots
mkdir -p "$shots"
rm -f "$shots"/demo-*.png
display="" xpid=""
e2e_start_xvfb display xpid
export DISPLAY=:$display
demo_stop() {
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  kill "$xpid" 2>/dev/null || true
}
trap demo_stop EXIT
wineserver -p </dev/null >/dev/null 2>&1

E2E_DIR=$out/demo
shot() {
  n=$((n + 1))
  file=$shots/demo-$n-$1.png
  sleep 0.5  # let it paint
  import -window root "$file"
  echo "demo: $2 -> $file"
}
n=0
# The launcher, from the CD: its window, the setup instructions it opens,
# then Install Software and Yes to the question; it ends and the installer
# on the CD starts.
launcher="Vantorin Installation"
e2e_start launcher --dir 'D:\' 'D:\setup.exe'
e2e_drv wait "$launcher" 20000 >/dev/null || { echo "demo: the launcher did not show" >&2; exit 1; }
shot launcher "\"$launcher\""
e2e_drv press "$launcher" 1001 >/dev/null
sleep 3
shot instructions "Setup Instructions"
e2e_drv press "$launcher" 1000 >/dev/null
# The question carries the launcher's caption: wait for the second window.
for _ in $(seq 100); do
  [ "$(e2e_drv count "$launcher" | tr -d '\r')" = 2 ] && break
  sleep 0.1
done
shot question "Install Software"
e2e_drv press "$launcher" 6 >/dev/null
e2e_wait_exit launcher 30
echo "demo: the launcher ended with status $E2E_STATUS"
# The installer that the launcher started, in this prefix.
installer_running() {
  local dir
  for dir in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$dir/cmdline" | grep -i 'installer\.exe$' >/dev/null || continue
    tr '\0' '\n' 2>/dev/null <"$dir/environ" | grep -xF "WINEPREFIX=$WINEPREFIX" >/dev/null && return 0
  done
  return 1
}

# Caption, the button that answers it (empty: none), file name of the shot.
steps=(
  "Choose a Data Directory|ok|choose-directory"
  "Write Data to Existing Directory?|yes|existing-directory"
  "Closing Running Copies|ok|closing-running-copies"
  "Add To Startup Group|no|startup-group"
  "Installation Successful|yes|installation-successful"
  "Brevio Paper Installation Failed|ok|installation-failed"
  "Brevio Paper||application"
)
taken=()
deadline=$((SECONDS + 120))
while [ $SECONDS -lt $deadline ]; do
  # Once the installer has ended, its application has a few seconds to show.
  if ! installer_running && [ $deadline -gt $((SECONDS + 15)) ]; then
    deadline=$((SECONDS + 15))
  fi
  windows=$(e2e_drv list 2>/dev/null | grep ' visible ' || true)
  acted=0
  for step in "${steps[@]}"; do
    IFS='|' read -r caption button name <<<"$step"
    grep -qF "\"$caption\"" <<<"$windows" || continue
    [[ " ${taken[*]:-} " == *" $name "* ]] && [ -z "$button" ] && continue
    shot "$name" "\"$caption\""
    taken+=("$name")
    if [ -n "$button" ]; then
      e2e_drv press "$caption" "$(e2e_button_id "$button")" >/dev/null
      e2e_drv gone "$caption" 10000 >/dev/null || true
    fi
    acted=1
  done
  [[ " ${taken[*]:-} " == *" application "* ]] && break
  [ $acted = 0 ] && sleep 0.3
done
if [[ " ${taken[*]:-} " != *" choose-directory "* && " ${taken[*]:-} " != *" closing-running-copies "* ]]; then
  echo "demo: no window of the installer showed up" >&2
  exit 1
fi
echo "demo: screenshot: $file"
