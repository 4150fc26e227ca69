# Shared by the end-to-end journeys: each runs the real pmv_calc.exe from a
# fresh folder on the Wine prefix's drive C:, drives it with keys and clicks
# (xdotool) and checks what a user sees or gets, read with e2e_tool.exe.
# WINEPREFIX and DISPLAY come from scripts/test.sh. Waits poll a condition
# and give up after E2E_TIMEOUT seconds.
set -uo pipefail

CAPTION='Vexlin PMV  calculator' # the dialog: two blanks
TITLE='Vexlin PMV calculator'    # every message box: one blank
IDC_CLOSE=1000 IDC_MET=1002 IDC_CLO=1003 IDC_TA=1004 IDC_TR=1005 IDC_VEL=1006 IDC_RH=1007
IDC_PMV=1015 IDC_PPD=1016 IDC_EXECUTE=1020
E2E_TIMEOUT=${E2E_TIMEOUT:-30}
DATA=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../data")
CALC_PID= HOLDER_PID=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# $1: the path of pmv_calc.exe, as CTest passes it; $2: the name of its
# folder, by default the journey's.
e2e_init() {
  EXE=$(realpath "$1")
  TOOL=$(dirname "$EXE")/e2e-tools/e2e_tool.exe
  [[ -f $EXE && -f $TOOL && -n ${WINEPREFIX:-} && -n ${DISPLAY:-} ]] ||
    fail "run through scripts/test.sh: no program, tool, prefix or display"
  # The program looks for its settings in the root of the current drive too.
  [[ ! -e $WINEPREFIX/drive_c/pmv_calc.ini ]] || fail "C:\\pmv_calc.ini exists in the prefix"
  DIR="$WINEPREFIX/drive_c/e2e/${2:-$(basename "$0" .sh)}.$$"
  rm -rf "$DIR" && mkdir -p "$DIR" && cp "$EXE" "$DIR/pmv_calc.exe"
  trap cleanup EXIT
}

cleanup() {
  [[ -n $HOLDER_PID ]] && release
  [[ -n $CALC_PID ]] && kill "$CALC_PID" 2>/dev/null
  rm -rf "$DIR" "$WINEPREFIX/drive_c/pmv_calc.ini"
}

wait_for() { # description, command...
  local what=$1 deadline=$((SECONDS + E2E_TIMEOUT))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || fail "timed out waiting for $what"
    sleep 0.05
  done
}

tool() { (cd "$DIR" && wine "$TOOL" "$@" 2>/dev/null); }
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { ! shown "$1"; }
ended() { ! kill -0 "$CALC_PID" 2>/dev/null; }
field_is() { [[ $(tool field "$CAPTION" "$1") == "$2" ]]; }
focus_is() { # id [start end]
  local got
  got=$(tool focus "$CAPTION") || return 1
  [[ $got == "$*" || ($# == 1 && $got == "$1 "*) ]]
}
press() { xdotool key --clearmodifiers "$@"; }
expect_eq() { [[ $2 == "$3" ]] || fail "$1: got [$2], expected [$3]"; }
hex() { od -An -tx1 -v | tr -d ' \n'; }
no_message() { gone "$TITLE" || fail "a message appeared: $(tool field "$TITLE" 65535)"; }

calc_start() { # in its folder, until the dialog is up with the focus on "Close"
  (cd "$DIR" && exec wine pmv_calc.exe) </dev/null >/dev/null 2>&1 &
  CALC_PID=$!
  wait_for "the calculator's window" shown "$CAPTION"
  wait_for "the focus on Close" focus_is $IDC_CLOSE
}

calc_finish() { # waits for the end without a message; exit code 0
  wait_for "the program to end" eval 'ended || shown "$TITLE"'
  no_message
  local code=0
  wait "$CALC_PID" || code=$?
  CALC_PID=
  expect_eq "exit code" "$code" 0
}

click() { # id
  read -r left top right bottom <<<"$(tool rect "$CAPTION" "$1")" || fail "no control $1"
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
}

tab_and_type() { # id text [key]: Tab (or the key) into the field, which selects its text,
  press "${3:-Tab}" # and type over it
  wait_for "the focus in field $1" focus_is "$1" 0 "$(tool field "$CAPTION" "$1" | wc -c)"
  xdotool type --delay 20 -- "$2"
  wait_for "\"$2\" in field $1" field_is "$1" "$2"
}

type_inputs() { # met clo ta tr vel rh, from the focus on "Close"
  local id
  for id in $IDC_MET $IDC_CLO $IDC_TA $IDC_TR $IDC_VEL $IDC_RH; do
    tab_and_type $id "$1"
    shift
  done
}

expect_fields() { # texts of the eight fields in dialog order
  local id
  for id in $IDC_MET $IDC_CLO $IDC_TA $IDC_TR $IDC_VEL $IDC_RH $IDC_PMV $IDC_PPD; do
    expect_eq "field $id" "$(tool field "$CAPTION" $id)" "$1"
    shift
  done
}

# For what the program writes after it has shown the results: waits until
# the command gives the expected text, then compares, so that a failure
# shows what was there.
expect_soon() { # description, expected, command...
  local what=$1 want=$2 deadline=$((SECONDS + E2E_TIMEOUT))
  shift 2
  until [[ $("$@" 2>/dev/null) == "$want" ]] || ((SECONDS >= deadline)); do sleep 0.05; done
  expect_eq "$what" "$("$@" 2>/dev/null)" "$want"
}
file_hex() { hex <"$1"; }

expect_file() { # path, expected bytes (printf %b escapes)
  expect_eq "bytes of $1" "$(hex <"$1")" "$(printf '%b' "$2" | hex)"
}

# The report of the example case (tests/data/example_report.txt) as hex,
# after the empty line of a later report of the process with "later".
report_hex() { { [[ ${1:-} == later ]] && printf '\r\n'; cat "$DATA/example_report.txt"; } | hex; }

# The example's report with another metabolic rate, PMV and PPD: the bytes.
report_with() { # met pmv ppd
  sed "s/\t1\.20\t/\t$1\t/; s/\t-0\.12\t/\t$2\t/; s/\t5\.28\t/\t$3\t/" "$DATA/example_report.txt"
}

# The range message: its text under the application's title, closed with
# Enter; then the field has the focus with its whole text selected.
expect_refusal() { # message id
  wait_for "the range message" shown "$TITLE"
  expect_eq "message" "$(tool field "$TITLE" 65535)" "$1"
  press Return
  wait_for "the message to close" gone "$TITLE"
  wait_for "field $2 selected" focus_is "$2" 0 "$(tool field "$CAPTION" "$2" | wc -c)"
}

ini_of() { # Tr RH v met clo mrt pmv ppd: the settings as the program writes them
  printf '[LASTVALUES]\\r\\nTr=%s\\r\\nRH=%s\\r\\nv=%s\\r\\nmet=%s\\r\\nclo=%s\\r\\nmrt=%s\\r\\npmv=%s\\r\\nppd=%s\\r\\n' "$@"
}

hold() { # file: another program holds it open for reading until `release`
  rm -f "$DIR/held"
  (cd "$DIR" && exec wine "$TOOL" hold "$1" held) </dev/null >/dev/null 2>&1 &
  HOLDER_PID=$!
  wait_for "the other program to take hold" test -e "$DIR/held"
}

release() {
  rm -f "$DIR/held"
  wait "$HOLDER_PID"
  HOLDER_PID=
}
