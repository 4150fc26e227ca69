# Shared by the fault tests (test_fault_*.sh), on top of lib.sh: the helper
# programs that play another program (holder.exe, ui_send.exe), file system
# faults that stop even root, and checks that no message was shown.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# $1: the path of pmv_calc.exe, as CTest passes it.
fault_init() {
  e2e_init "$1"
  HOLDER=$(dirname "$EXE")/e2e-tools/holder.exe
  SENDER=$(dirname "$EXE")/e2e-tools/ui_send.exe
  [[ -f $HOLDER ]] || fail "no helper at $HOLDER"
  [[ -f $SENDER ]] || fail "no helper at $SENDER"
  HOLDER_PID=
  IMMUTABLE=()
  trap fault_cleanup EXIT
}

fault_cleanup() {
  local path
  for path in "${IMMUTABLE[@]}"; do chattr -i "$path" 2>/dev/null; done
  [[ -n $HOLDER_PID ]] && release
  e2e_cleanup
}

send() { (cd "$DIR" && wine "$SENDER" "$@" 2>/dev/null); }

# Another program takes hold of a file (no sharing) or of the clipboard
# until `release`.
hold() { # file NAME | clipboard
  rm -f "$DIR/held.signal"
  (cd "$DIR" && exec wine "$HOLDER" "$@" held.signal) </dev/null >/dev/null 2>&1 &
  HOLDER_PID=$!
  wait_for "the holder to take hold" test -e "$DIR/held.signal"
}

release() {
  rm -f "$DIR/held.signal"
  local code=0
  wait "$HOLDER_PID" || code=$?
  HOLDER_PID=
  [[ $code == 0 ]] || fail "the holder ended with $code"
}

# The tests run as root, whom no permission bit stops, and Wine's read-only
# attribute is only a permission bit. The immutable attribute of the Linux
# file system stops root as well. False when the file system or the
# container does not allow it.
make_immutable() { # path
  chattr +i "$1" 2>/dev/null || return 1
  IMMUTABLE+=("$1")
}

undo_immutable() { chattr -i "$1"; }

no_message() {
  window_gone "$TITLE" || fail "a message appeared: $(message_text)"
}

# The names in the program's folder, one a line, directories marked with /.
folder_listing() { (cd "$DIR" && ls -1Ap); }

ended_or_message() { calc_ended || window_shown "$TITLE"; }

# Clicks "Close" and expects the program to end without a message, with exit
# code 0. A message would hold the program open: it is caught at once.
close_silently() {
  click $IDC_CLOSE
  wait_for "the program to end" ended_or_message
  no_message
  calc_finish 0
}

# Sets the six inputs the way another program would (WM_SETTEXT).
set_inputs() { # met clo ta tr vel rh
  local ids=($IDC_MET $IDC_CLO $IDC_TA $IDC_TR $IDC_VEL $IDC_RH)
  local i
  for i in "${!ids[@]}"; do
    send settext "$CAPTION" "${ids[$i]}" "${@:i+1:1}" || fail "could not set field ${ids[$i]}"
  done
}
