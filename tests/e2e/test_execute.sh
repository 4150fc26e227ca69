#!/usr/bin/env bash
# A case typed with a comma and a metabolic rate of more decimals than its
# field shows, and "Execute" clicked: the full value is computed and the rate
# shown rounded; the report file and the clipboard hold the same bytes, the
# settings file is untouched. Enter on the clicked button repeats it with the
# rate as shown; a later report starts with an empty line. Then a valid rate
# and two bad fields: one message, for the first, that field selected,
# nothing computed or written, but the rate is kept, and saved by "Close",
# which stops at a bad rate typed after that; a field takes 16 characters.
# A later start under a Japanese locale shows what was saved, and its first
# report starts with the header; the Unicode text on the clipboard has "°".
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
type_inputs 1.24 0,5 23 26 0.1 45
click $IDC_EXECUTE
wait_for "PMV" field_is $IDC_PMV "-0.03"
no_message
expect_fields " 1.2" " 0.5" "23.0" "26.0" "0.10" "45.0" "-0.03" " 5.0"
first=$(report_with 1.24 -0.03 5.02 | hex)
expect_soon "report" "$first" file_hex "$DIR/pmv_data.txt"
expect_soon "clipboard" "$first" tool clipboard
expect_file "$DIR/pmv_calc.ini" ""

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
tab_and_type $IDC_MET x shift+Tab

click $IDC_CLOSE
calc_finish
expect_file "$DIR/pmv_calc.ini" "$(ini_of 23.00 45.00 0.10 2.00 0.50 26.00 -0.12 5.28)"

export LC_ALL=ja_JP.UTF-8 # code page 932, where the byte 0xB0 is a katakana sign
calc_start
expect_fields " 2.0" " 0.5" "23.0" "26.0" "0.10" "45.0" "-0.12" " 5.3"
click $IDC_EXECUTE
expect_soon "report" "$(report_with 2.00 0.93 23.20 | hex)" file_hex "$DIR/pmv_data.txt"
expect_eq "plain text" "$(tool clipboard)" "$(report_with 2.00 0.93 23.20 | hex)"
expect_eq "Unicode text" "$(tool unicode)" "$(report_with 2.00 0.93 23.20 | iconv -f cp1252 -t utf-16le | hex)"
press Escape
calc_finish
echo ok
