#!/usr/bin/env bash
# A case typed, with a comma, and "Execute" clicked: the results are shown,
# "pmv_data.txt" holds the report and the clipboard the same bytes. Enter
# on the clicked button repeats it, and a later report starts with an empty
# line. Then a valid metabolic rate with two bad fields: one message, for the
# first, that field selected, nothing computed or written. A field takes 16
# characters. "Close" saves what was read: the new metabolic rate, the rest
# of the last good case.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
type_inputs 1.2 0,5 22 22 0.1 50
click $IDC_EXECUTE
wait_for "PMV" field_is $IDC_PMV "-0.80"
no_message
expect_fields " 1.2" " 0.5" "22.0" "22.0" "0.10" "50.0" "-0.80" "18.6"
expect_eq "report" "$(hex <"$DIR/pmv_data.txt")" "$(report_hex)"
expect_eq "clipboard" "$(tool clipboard)" "$(report_hex)"

wait_for "the focus on Execute" focus_is $IDC_EXECUTE
press Return
wait_for "the later report on the clipboard" eval '[[ $(tool clipboard) == $(report_hex later) ]]'
expect_eq "later report" "$(hex <"$DIR/pmv_data.txt")" "$(report_hex later)"

press Tab # round to "Close"
wait_for "the focus on Close" focus_is $IDC_CLOSE
type_inputs 2 9 22 22 0.1 0
click $IDC_EXECUTE
expect_refusal "0.00 ... 2.00 !" $IDC_CLO
no_message
expect_fields "2" "9" "22" "22" "0.1" "0" "-0.80" "18.6"
expect_eq "report" "$(hex <"$DIR/pmv_data.txt")" "$(report_hex later)"
xdotool type --delay 20 12345678901234567
wait_for "16 characters" field_is $IDC_CLO 1234567890123456

click $IDC_CLOSE
calc_finish
expect_file "$DIR/pmv_calc.ini" "$(ini_of 22.00 50.00 0.10 2.00 0.50 22.00 -0.80 18.58)"
echo ok
