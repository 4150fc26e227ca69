#!/usr/bin/env bash
# A case typed, with a comma, and "Execute" clicked: the results are shown,
# "pmv_data.txt" holds the report and the clipboard the same bytes. Enter
# on the clicked button repeats it, and a later report starts with an empty
# line. Then a valid metabolic rate with two bad fields: one message, for the
# first, that field selected, nothing computed or written. A field takes 16
# characters. "Close" saves what it reads itself, up to the first bad field:
# a metabolic rate typed after that Execute, the rest of the last good case.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
type_inputs 1.2 0,5 23 26 0.1 45
click $IDC_EXECUTE
wait_for "PMV" field_is $IDC_PMV "-0.12"
no_message
expect_fields " 1.2" " 0.5" "23.0" "26.0" "0.10" "45.0" "-0.12" " 5.3"
expect_soon "report" "$(report_hex)" file_hex "$DIR/pmv_data.txt"
expect_soon "clipboard" "$(report_hex)" tool clipboard

wait_for "the focus on Execute" focus_is $IDC_EXECUTE
press Return
wait_for "the later report on the clipboard" eval '[[ $(tool clipboard) == $(report_hex later) ]]'
expect_eq "later report" "$(hex <"$DIR/pmv_data.txt")" "$(report_hex later)"

press Tab # round to "Close"
wait_for "the focus on Close" focus_is $IDC_CLOSE
type_inputs 2 9 24 27 0.2 0
click $IDC_EXECUTE
expect_refusal "0.00 ... 2.00 !" $IDC_CLO
no_message
expect_fields "2" "9" "24" "27" "0.2" "0" "-0.12" " 5.3"
expect_eq "report" "$(hex <"$DIR/pmv_data.txt")" "$(report_hex later)"
xdotool type --delay 20 12345678901234567
wait_for "16 characters" field_is $IDC_CLO 1234567890123456
tab_and_type $IDC_MET 3,1 shift+Tab

click $IDC_CLOSE
calc_finish
expect_file "$DIR/pmv_calc.ini" "$(ini_of 23.00 45.00 0.10 3.10 0.50 26.00 -0.12 5.28)"
echo ok
