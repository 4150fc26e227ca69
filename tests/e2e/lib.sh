# shellcheck shell=bash
# Shared by the end-to-end journeys: each runs the real pmv_calc.exe from a
# fresh folder on the Wine prefix's drive C:, drives it with keys and clicks
# (xdotool) and checks what a user sees or gets, read with e2e_tool.exe. Run
# by scripts/wine-tests.sh; waits give up after E2E_TIMEOUT seconds. What
# the other Wine scripts share comes from scripts/wine-env.sh.
set -uo pipefail
shopt -s extglob

fail() { echo "FAIL: $*" >&2; exit 1; }

[[ -n ${WINE_ROOT:-} && -n ${DISPLAY:-} ]] || fail "run through scripts/wine-tests.sh"
# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh" || exit 1
E2E_TIMEOUT=${E2E_TIMEOUT:-30} HOLDER_PID='' DONE=''

# $1: the path of pmv_calc.exe, as CTest passes it; $2: the name of its
# folder, by default the journey's.
e2e_init() {
  TOOL=$(dirname "$(realpath "$1")")/e2e-tools/e2e_tool.exe
  [[ -f $1 && -f $TOOL ]] || fail "no program or tool"
  # The program looks for its settings in the root of the current drive too:
  # one that a failed run left there would be read.
  local root_ini=$WINEPREFIX/drive_c/pmv_calc.ini
  [[ ! -e $root_ini ]] || { rm -r "$root_ini" && echo "removed a C:\\pmv_calc.ini left behind" >&2; }
  DIR="$WINEPREFIX/drive_c/e2e/${2:-$(basename "$0" .sh)}.$$"
  # No settings file: each journey makes the one it needs.
  rm -rf "$DIR" && program_folder "$DIR" "$1" && rm "$DIR/pmv_calc.ini" || fail "no folder $DIR"
  PROGRAM=$DIR/pmv_calc.exe
  ELSEWHERE=$(files_elsewhere)
  trap cleanup EXIT
}

# Every folder and file (with size and time) of the prefix outside the
# program's folder and of the Unix root, Wine's Z:\: not the registry, which
# Wine rewrites and the program, importing no registry function, cannot; nor
# what lies deeper in the Unix root, which other programs of the host change.
files_elsewhere() {
  local p=$WINEPREFIX
  { find "$p" -path "$DIR" -prune -o ! -path "$p/system.reg" ! -path "$p/user.reg" \
    ! -path "$p/userdef.reg" \( -type d -printf '%p/\n' -o -printf '%p %s %T@\n' \)
    find / -mindepth 1 -maxdepth 1 \( -type d -printf '%p/\n' -o -printf '%p %s %T@\n' \)
  } 2>/dev/null | LC_ALL=C sort
}

nothing_written_elsewhere() {
  local d
  d=$(diff <(echo "$ELSEWHERE") <(files_elsewhere)) || fail "written outside the program's folder:"$'\n'"$d"
}

# Every journey ends here, before the clean-up: beside the program only files
# that match the patterns, and nothing new or changed elsewhere.
e2e_done() { # pattern...
  local file patterns
  patterns=$(IFS='|' && echo "$*")
  while IFS= read -r file; do
    [[ $file == @($patterns) ]] || fail "an unexpected file in the program's folder: $file"
  done < <(cd "$DIR" && find . -type f -printf '%P\n')
  nothing_written_elsewhere
  DONE=1
  echo ok
}

cleanup() {
  local status=$?
  wine_end 0 2>/dev/null
  [[ -n $HOLDER_PID ]] && kill "$HOLDER_PID" 2>/dev/null
  rm -rf "$DIR"
  # What a faulty program left in the Unix root, now that it has been seen.
  grep -q '^/pmv_data.txt ' <<<"$ELSEWHERE" || rm -f /pmv_data.txt
  [[ $status != 0 || -n $DONE ]] || fail "the journey ended without its last checks"
}

wait_for() { wait_until "$E2E_TIMEOUT" "${@:2}" || fail "timed out waiting for $1"; }

# e2e_tool.exe in the program's folder. It ends with 0, 1 or 2; any other
# code is Wine failing to run it, which is said and tried once more.
tool() {
  local out code try err=/tmp/e2e_tool.$$.err
  for try in 1 2; do
    code=0 && out=$(cd "$DIR" && wine "$TOOL" "$@" 2>"$err") || code=$?
    ((code <= 2)) && break
    echo "e2e_tool $1 ended with $code (try $try): $(tail -n 2 "$err")" >&2
  done
  rm -f "$err"
  printf '%s' "$out"
  return "$code"
}
gone() { ! shown "$1"; }
output_is() { [[ $("${@:2}" 2>/dev/null) == "$1" ]]; } # text, command...
field_is() { output_is "$2" tool field "$CAPTION" "$1"; }
focus_is() { # id [start end]
  local got
  got=$(tool focus "$CAPTION") || return 1
  [[ $got == "$*" || ($# == 1 && $got == "$1 "*) ]]
}
expect_eq() { [[ $2 == "$3" ]] || fail "$1: got [$2], expected [$3]"; }
hex() { od -An -tx1 -v | tr -d ' \n'; }
no_message() { gone "$TITLE" || fail "a message appeared: $(tool field "$TITLE" 65535)"; }

calc_start() { # from its folder, or from $START_IN, until the dialog is up with "Close" focused
  wine_start "$PROGRAM" "$CAPTION" "$E2E_TIMEOUT" "${START_IN:-}" ||
    fail "timed out waiting for the calculator's window"
  wait_for "the focus on Close" focus_is "$IDC_CLOSE"
}

calc_finish() { # waits for the end without a message; exit code 0
  wait_for "the program to end" eval 'ended || shown "$TITLE"'
  no_message
  local code=0 && wine_end 0 || code=$?
  expect_eq "exit code" "$code" 0
}

rect() { # [id]: LEFT TOP RIGHT BOTTOM of the dialog or of one of its controls
  local r
  r=$(tool rect "$CAPTION" "$@") && [[ -n $r ]] || fail "no window or control $*"
  read -r LEFT TOP RIGHT BOTTOM <<<"$r"
}

click() { rect "$1" && xdotool mousemove $(((LEFT + RIGHT) / 2)) $(((TOP + BOTTOM) / 2)) click 1; }

# The checks of each step of the library's tab_and_type: the field has the
# focus with its whole text selected; it shows what was typed, up to the limit.
field_selected() { wait_for "field $1 selected" focus_is "$1" 0 "$(tool field "$CAPTION" "$1" | wc -c)"; }
field_typed() { wait_for "\"$2\" in field $1" field_is "$1" "${2:0:$TYPING_LIMIT}"; }

expect_fields() { # texts of the eight fields
  local id
  for id in $FIELDS; do expect_eq "field $id" "$(tool field "$CAPTION" "$id")" "$1" && shift; done
}

# For what the program writes after it has shown the results: waits until
# the command gives the expected text, then compares, so that a failure
# shows what was there.
expect_soon() { # description, expected, command...
  wait_until "$E2E_TIMEOUT" output_is "$2" "${@:3}"
  expect_eq "$1" "$("${@:3}" 2>/dev/null)" "$2"
}
file_hex() { hex <"$1"; }

expect_file() { # path, expected bytes (printf %b escapes); an empty file is a file
  [[ -f $1 ]] || fail "no file $1"
  expect_eq "bytes of $1" "$(hex <"$1")" "$(printf '%b' "$2" | hex)"
}

# The example's report (tests/data/example_report.txt), or one with the
# eight values of another case; "later" puts the empty line of a later
# report of the process first.
report() { # [met clo ta tr vel rh pmv ppd] [later]
  [[ ${*: -1} == later ]] && printf '\r\n' && set -- "${@:1:$#-1}"
  LC_ALL=C awk -F'\t' -v OFS='\t' -v v="$*" 'BEGIN { n = split(v, a, " ") }
    n && NR > 1 { $2 = a[NR - 1] } 1' "$ROOT/tests/data/example_report.txt"
}

# The range message: its text under the application's title, closed with
# Enter; then the field has the focus with its whole text selected.
expect_refusal() { # message id
  wait_for "the range message" shown "$TITLE"
  expect_eq "message" "$(tool field "$TITLE" 65535)" "$1"
  press Return
  wait_for "the message to close" gone "$TITLE"
  field_selected "$2"
}

ini_of() { # Tr RH v met clo mrt pmv ppd: the settings as the program writes them
  printf '[LASTVALUES]\\r\\nTr=%s\\r\\nRH=%s\\r\\nv=%s\\r\\nmet=%s\\r\\nclo=%s\\r\\nmrt=%s\\r\\npmv=%s\\r\\nppd=%s\\r\\n' "$@"
}

# Another program holds the clipboard open until `release`.
hold_clipboard() {
  rm -f "$DIR/held"
  (cd "$DIR" && exec wine "$TOOL" hold clipboard held) </dev/null >/dev/null 2>&1 &
  HOLDER_PID=$!
  wait_for "the other program to take hold" test -e "$DIR/held"
}

release() {
  rm -f "$DIR/held"
  wait "$HOLDER_PID" || fail "the other program could not hold the clipboard"
  HOLDER_PID=
}
