#!/usr/bin/env bash
# Typing a case and pressing "Execute": the results are shown, "pmv_data.txt"
# holds the report and the clipboard the same bytes; later ones (by Enter on
# the clicked button, and on the button reached by keyboard) start both with
# an empty line; "Close" saves
# the case. Exit code 0.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start

# Tab moves into a field and selects its text, so typing replaces it.
type_inputs "1.2" "0,5" "22" "22" "0.1" "50"
click $IDC_EXECUTE
wait_for "PMV to be shown" field_is $IDC_PMV "-0.80"
expect_fields " 1.2" " 0.5" "22.0" "22.0" "0.10" "50.0" "-0.80" "18.6"
window_gone "$TITLE" || fail "a message appeared: $(message_text)"

report=$(report_of 1.20 0.50 22.00 22.00 0.10 50.00 -0.80 18.58)
expect_file "$DIR/pmv_data.txt" "$report"
expect_eq "clipboard" "$(probe clipboard)" "$(hex_of_text "$report")"

# The clicked button keeps the focus, and Enter presses it again.
wait_for "the focus on Execute" focus_is $IDC_EXECUTE
rm "$DIR/pmv_data.txt"
press Return
wait_for "the report of Enter after the click" test -s "$DIR/pmv_data.txt"
expect_file "$DIR/pmv_data.txt" "\r\n$report"

# To "Execute" by keyboard: Shift+Tab from "Close" goes round to it.
press Tab
wait_for "the focus on Close" focus_is $IDC_CLOSE
press shift+Tab
wait_for "the focus on Execute" focus_is $IDC_EXECUTE
rm "$DIR/pmv_data.txt"
press Return
wait_for "the second report" test -s "$DIR/pmv_data.txt"
wait_for "the second report on the clipboard" \
  test "$(probe clipboard)" == "$(hex_of_text "\r\n$report")"
expect_file "$DIR/pmv_data.txt" "\r\n$report"

click $IDC_CLOSE
calc_finish 0
expect_file "$DIR/pmv_calc.ini" '[LASTVALUES]\r\nTr=22.00\r\nRH=50.00\r\nv=0.10\r\nmet=1.20\r\nclo=0.50\r\nmrt=22.00\r\npmv=-0.80\r\nppd=18.58\r\n'
note "ok"
