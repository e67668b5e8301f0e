#!/usr/bin/env bash
# The main job: installs the tool chain, builds the programs and the CD tree,
# then runs the installer under Wine in a fresh prefix of its own
# (build/demo-prefix; your ~/.wine is never touched).
#   With $DISPLAY set, the installer opens on your desktop and you answer it.
#   Without, it runs under Xvfb: every window on the way is answered with its
#   usual button and photographed into build/screenshots/, whose paths are
#   printed at the end.
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
program=$E2E_INSTALLER
[ -f "$program" ] || { echo "demo: $program was not built" >&2; exit 1; }

e2e_template
rm -rf "$out/demo-prefix"
e2e_copy_prefix "$out/demo-prefix"
export WINEPREFIX=$out/demo-prefix
mkdir -p "$out/demo/home"
export HOME=$out/demo/home

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: starting the installer on $DISPLAY (prefix $WINEPREFIX)"
  wine "$program" || true
  echo "demo: the installer has ended; the installed files are in $WINEPREFIX/drive_c"
  exit 0
fi

# Headless: Xvfb, the installer in the background, and each expected window
# photographed and answered in turn until the application's own window shows.
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
e2e_start installer "$program"

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
n=0
deadline=$((SECONDS + 120))
while [ $SECONDS -lt $deadline ]; do
  # Once the installer has ended, its application has a few seconds to show.
  if ! e2e_running installer && [ $deadline -gt $((SECONDS + 15)) ]; then
    deadline=$((SECONDS + 15))
  fi
  windows=$(e2e_drv list 2>/dev/null | grep ' visible ' || true)
  acted=0
  for step in "${steps[@]}"; do
    IFS='|' read -r caption button name <<<"$step"
    grep -qF "\"$caption\"" <<<"$windows" || continue
    [[ " ${taken[*]:-} " == *" $name "* ]] && [ -z "$button" ] && continue
    sleep 0.5  # let it paint
    n=$((n + 1))
    file=$shots/demo-$n-$name.png
    import -window root "$file"
    taken+=("$name")
    echo "demo: \"$caption\" -> $file"
    if [ -n "$button" ]; then
      e2e_drv press "$caption" "$(e2e_button_id "$button")" >/dev/null
      e2e_drv gone "$caption" 10000 >/dev/null || true
    fi
    acted=1
  done
  [[ " ${taken[*]:-} " == *" application "* ]] && break
  [ $acted = 0 ] && sleep 0.3
done
if [ $n = 0 ]; then
  echo "demo: no window of the installer showed up" >&2
  exit 1
fi
echo "demo: screenshot: $file"
