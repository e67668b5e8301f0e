#!/usr/bin/env bash
# A hostile cdrun.ini keeps the launcher working: values of 1023 characters
# (and one longer, which the profile reader cuts to 1023), printf directives
# in the company name and in a command, and a "Bitmap" that names a folder,
# an empty file or a text file. Three runs, one per picture; in each the
# caption is the one composed from the company name (cut to 1023 characters
# when it would be longer), the window paints again and again without a
# picture, Install Software warns with the company name as it is, About
# reports the shell's refusal quoting the value as it is, and Exit ends the
# launcher with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/setup_cd.bash"
e2e_begin
SPLASH_REPAINT=${E2E_SPLASH_REPAINT:-$E2E_BUILD/tests/e2e/splash_repaint.exe}

# Makes the launcher paint N times over (each a complete WM_PAINT).
repaint() {
  wine "$SPLASH_REPAINT" "$SETUP_CAPTION" "$1" >/dev/null || e2e_fail "the launcher did not take $1 paints"
}
# N copies of character C.
repeat() { printf "%*s" "$2" "" | tr ' ' "$1"; }
# The first 1023 characters of a text.
cut1023() { printf '%s' "${1:0:1023}"; }

WARNING_FORMAT="The setup instructions contain important information about the %s software. Please read them before beginning installation."
REFUSAL_HEAD="An error occurred executing ''"
REFUSAL_TAIL="
Please contact technical support."
CD=$E2E_DIR/cd

# Runs the launcher on a CD whose cdrun.ini is $1 and whose picture is $2
# (a description for the log), expecting the caption $3, the company name $4
# in the warning and the "About" value $5 in the refusal.
run_launcher() {
  local ini=$1 picture=$2 caption=$3 company=$4 about=$5 text code warning
  e2e_log "run: Bitmap names $picture"
  setup_cd "$ini"
  mkdir -p "$CD/pictures"
  : >"$CD/zero.bmp"
  printf 'This is not a picture.\r\n' >"$CD/readme.txt"
  setup_start "$caption"
  repaint 50
  e2e_running launcher || e2e_fail "the launcher ended while painting without a picture ($picture)"

  warning=$(cut1023 "$(printf "$WARNING_FORMAT" "$company")")
  setup_press $SETUP_IDC_INSTALL
  setup_expect_box "$warning" ok

  setup_press $SETUP_IDC_ABOUT
  setup_wait_count 2
  text=$(e2e_box_text "$SETUP_CAPTION") || exit 1
  # The code is Wine's shell's; the rest is fixed.
  code=${text#"$REFUSAL_HEAD$about'': error code "}
  code=${code%".$REFUSAL_TAIL"}
  [[ $code =~ ^[0-9]+$ ]] && [ "$text" = "$REFUSAL_HEAD$about'': error code $code.$REFUSAL_TAIL" ] ||
    e2e_fail "the refusal reads:
$text"
  e2e_log "About refused with code $code, the value quoted whole (${#about} characters)"
  e2e_answer "$SETUP_CAPTION" ok
  setup_wait_count 1
  e2e_running launcher || e2e_fail "the launcher ended after the refusal ($picture)"
  setup_press $SETUP_IDC_EXIT
  e2e_expect_exit launcher 0 30
  e2e_expect_no_window "$SETUP_CAPTION"
}

LONG_COMMAND='\tools\'$(repeat c 1016)     # 1023 characters
LONG_COMPANY=$(repeat V 1023)
LONGER_ABOUT='\tools\%s%n%d%x%p'$(repeat a 1500)

# 1: a folder as the picture; "%s%n" in the company name; 1023-character commands.
run_launcher "[CDRun]
Bitmap=\\pictures
CompanyName=%s%n
Install=$LONG_COMMAND
MoreInfo=$LONG_COMMAND
About=$LONG_COMMAND" "a folder" "%s%n Installation" "%s%n" "$LONG_COMMAND"

# 2: an empty file as the picture, named by a 1023-character value; a company
# name of 1023 characters, so the caption has no room for " Installation";
# an About value with directives, longer than 1023 characters.
# \.\.\ ... \zero.bmp: 507 times ".\", which the path leaves out.
LONG_BITMAP='\'$(for ((i = 0; i < 507; i++)); do printf '.\\'; done)'zero.bmp'
[ ${#LONG_BITMAP} = 1023 ] || e2e_fail "the long Bitmap value has ${#LONG_BITMAP} characters"
run_launcher "[CDRun]
Bitmap=$LONG_BITMAP
CompanyName=$LONG_COMPANY
Install=$LONG_COMMAND
MoreInfo=$LONG_COMMAND
About=$LONGER_ABOUT" "an empty file" "$LONG_COMPANY" "$LONG_COMPANY" "$(cut1023 "$LONGER_ABOUT")"

# 3: a text file as the picture; "%s%n" and more directives in the company name.
run_launcher "[CDRun]
Bitmap=\\readme.txt
CompanyName=%s%n%d%%%x%p%s%s%s%s
About=\\tools\\%n%s.exe" "a text file" "%s%n%d%%%x%p%s%s%s%s Installation" "%s%n%d%%%x%p%s%s%s%s" '\tools\%n%s.exe'
e2e_pass
