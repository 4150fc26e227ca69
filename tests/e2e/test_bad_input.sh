#!/usr/bin/env bash
# A metabolic rate out of its range: "Execute" shows the range message under
# the application's title, the dialog stays open, and once the message is
# closed the field has the focus with its whole text selected. Nothing is
# computed or written; Escape then ends the program with exit code 0 and
# nothing saved.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
tab_and_type $IDC_MET "0.79"
tab_and_type $IDC_CLO "9" # also bad, but only the first bad field is reported
click $IDC_EXECUTE
wait_for "the range message" window_shown "$TITLE"
expect_eq "message" "$(message_text)" "0.80 ... 4.00 !"
window_shown "$CAPTION" || fail "the dialog closed"

press Return # OK
wait_for "the message to close" window_gone "$TITLE"
wait_for "the focus back on the metabolic rate, all selected" focus_is $IDC_MET 0 4
window_shown "$TITLE" && fail "a second message appeared"
expect_fields "0.79" "9" "24.5" "24.5" "0.08" "50.0" "0.00" "95.0"
[[ ! -e $DIR/pmv_data.txt ]] || fail "a report was written"

# Typing now replaces the selected text.
xdotool type --delay 20 "2"
wait_for "the new metabolic rate" field_is $IDC_MET "2"

press Escape
calc_finish 0
expect_file "$DIR/pmv_calc.ini" ''
[[ ! -e $DIR/pmv_data.txt ]] || fail "a report was written"
note "ok"
