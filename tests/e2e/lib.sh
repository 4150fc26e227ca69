# Shared by the end-to-end tests. Each test copies the real pmv_calc.exe into
# a fresh folder on the Wine prefix's drive C:, starts it there under Wine,
# drives it only with keys and clicks (xdotool), and checks only what a user
# sees or gets: windows and their captions, texts shown, the focus, the files
# beside the program, the clipboard and the exit code. ui_probe.exe, run
# under the same Wine, reads what X cannot show (control texts, the focus,
# the clipboard's exact bytes).
#
# Expects WINEPREFIX and DISPLAY from scripts/wine-env.sh (scripts/test.sh
# sets them up: a private Xvfb and a prefix with a virtual desktop).
# Waits are on conditions, polled, never fixed sleeps; each gives up after
# E2E_TIMEOUT seconds.

set -uo pipefail

# E2E_TRACE=1 traces every command with the time, to find slow steps.
if [[ ${E2E_TRACE:-0} == 1 ]]; then
  PS4='+ $(date +%s.%N | cut -c7-14) '
  set -x
fi

CAPTION='Vexlin PMV  calculator' # the dialog: two blanks
TITLE='Vexlin PMV calculator'    # every message box: one blank

IDC_CLOSE=1000
IDC_MET=1002
IDC_CLO=1003
IDC_TA=1004
IDC_TR=1005
IDC_VEL=1006
IDC_RH=1007
IDC_PMV=1015
IDC_PPD=1016
IDC_EXECUTE=1020

E2E_TIMEOUT=${E2E_TIMEOUT:-30}
CALC_PID=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

# $1: the path of pmv_calc.exe, as CTest passes it.
e2e_init() {
  [[ -n ${WINEPREFIX:-} && -n ${DISPLAY:-} ]] ||
    fail "WINEPREFIX and DISPLAY must be set (run through scripts/test.sh or scripts/wine-env.sh)"
  local tool
  for tool in wine xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
  EXE=$(realpath "$1")
  PROBE=$(dirname "$EXE")/e2e-tools/ui_probe.exe
  [[ -f $EXE ]] || fail "no program at $EXE"
  [[ -f $PROBE ]] || fail "no helper at $PROBE"
  # The program looks for its settings beside itself and then in the root of
  # the current drive; a leftover file there would change what it loads.
  [[ ! -e $WINEPREFIX/drive_c/pmv_calc.ini ]] || fail "C:\\pmv_calc.ini exists in the prefix"
  DIR="$WINEPREFIX/drive_c/e2e/$(basename "$0" .sh).$$"
  rm -rf "$DIR"
  mkdir -p "$DIR"
  cp "$EXE" "$DIR/pmv_calc.exe"
  trap e2e_cleanup EXIT
}

e2e_cleanup() {
  if [[ -n $CALC_PID ]] && kill -0 "$CALC_PID" 2>/dev/null; then
    kill "$CALC_PID" 2>/dev/null
    wait "$CALC_PID" 2>/dev/null
  fi
  rm -rf "$DIR"
}

# Polls a condition until it holds; fails the test after E2E_TIMEOUT seconds.
wait_for() { # description, command...
  local what=$1
  shift
  local deadline=$((SECONDS + E2E_TIMEOUT))
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out waiting for $what"
    sleep 0.05
  done
}

probe() { (cd "$DIR" && wine "$PROBE" "$@" 2>/dev/null); }

window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }
calc_running() { kill -0 "$CALC_PID" 2>/dev/null; }
calc_ended() { ! calc_running; }

focus_is() { # id [start end]
  local got
  got=$(probe focus "$CAPTION") || return 1
  if (($# == 1)); then [[ ${got%% *} == "$1" ]]; else [[ $got == "$1 $2 $3" ]]; fi
}

field_is() { [[ $(probe field "$CAPTION" "$1") == "$2" ]]; }

# Starts the program in its folder, as a user would from there, and waits
# until its dialog is up with the focus on "Close".
calc_start() {
  (cd "$DIR" && exec wine pmv_calc.exe) </dev/null >/dev/null 2>&1 &
  CALC_PID=$!
  wait_for "the calculator's window" window_shown "$CAPTION"
  wait_for "the focus on Close" focus_is $IDC_CLOSE
}

# Waits for the program to end and checks its exit code.
calc_finish() { # expected exit code
  wait_for "the program to end" calc_ended
  local code=0
  wait "$CALC_PID" || code=$?
  CALC_PID=
  [[ $code == "$1" ]] || fail "exit code $code, expected $1"
}

press() { xdotool key --clearmodifiers "$@"; }

# Tab into the next field (which selects its text) and type over it.
tab_and_type() { # id text
  press Tab
  wait_for "the focus on field $1 with its text selected" focus_selected "$1"
  xdotool type --delay 20 -- "$2"
  wait_for "\"$2\" in field $1" field_is "$1" "$2"
}

focus_selected() {
  local text
  text=$(probe field "$CAPTION" "$1") || return 1
  focus_is "$1" 0 "${#text}"
}

# Clicks the middle of a control of the dialog.
click() { # id
  local rect
  rect=$(probe rect "$CAPTION" "$1") || fail "no control $1"
  read -r left top right bottom <<<"$rect"
  # No --sync: it waits some 15 s when the pointer is already there. The
  # server takes the move and the click in order anyway.
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

# The texts of the message box that is up, one a line.
message_text() { probe text "$TITLE"; }

# File bytes as hex, for exact comparisons that survive command
# substitution.
hex_of_file() { od -An -tx1 -v "$1" | tr -d ' \n'; }
hex_of_text() { printf '%b' "$1" | od -An -tx1 -v | tr -d ' \n'; }

expect_eq() { # what, got, expected
  [[ $2 == "$3" ]] || fail "$1: got [$2], expected [$3]"
}

expect_file() { # path, expected bytes (printf %b escapes)
  [[ -f $1 ]] || fail "$1 is missing"
  expect_eq "bytes of $(basename "$1")" "$(hex_of_file "$1")" "$(hex_of_text "$2")"
}

expect_fields() { # texts of the eight fields in dialog order
  local ids=($IDC_MET $IDC_CLO $IDC_TA $IDC_TR $IDC_VEL $IDC_RH $IDC_PMV $IDC_PPD)
  local expected=("$@")
  local i
  for i in "${!ids[@]}"; do
    expect_eq "field ${ids[$i]}" "$(probe field "$CAPTION" "${ids[$i]}")" "${expected[$i]}"
  done
}

# The report of one case, as the first report of a process writes it.
report_of() { # met clo ta tr vel rh pmv ppd
  local r='Vexlin PMV calculator (2003.02)\r\n'
  r+="Metabolic rate\t$1\t[met]\r\n"
  r+="Clothing\t$2\t[clo]\r\n"
  r+="Air temperature\t$3\t[\xb0C]\r\n"
  r+="Mean radiant temperature\t$4\t[\xb0C]\r\n"
  r+="Air velocity\t$5\t[m/s]\r\n"
  r+="Relative humidity\t$6\t[percent]\r\n"
  r+="PMV\t$7\t[]\r\n"
  r+="PPD\t$8\t[percent]\r\n"
  printf '%s' "$r"
}

# Types the six inputs in dialog order, each after a Tab into its field.
type_inputs() { # met clo ta tr vel rh
  local ids=($IDC_MET $IDC_CLO $IDC_TA $IDC_TR $IDC_VEL $IDC_RH)
  local i
  for i in "${!ids[@]}"; do
    tab_and_type "${ids[$i]}" "${@:i+1:1}"
  done
}
