#!/usr/bin/env bash
# "Execute" while another program holds the clipboard open: the results are
# shown and the report file is written, but the clipboard keeps what it had,
# and no message appears. The dialog stays usable: once the clipboard is
# free the next "Execute" copies its report, and "Close" saves.
source "$(dirname "$0")/fault_lib.sh"
fault_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
send clipboard "marker" || fail "could not set the clipboard"

hold clipboard
type_inputs "1.2" "0.5" "22" "22" "0.1" "50"
click $IDC_EXECUTE
wait_for "PMV to be shown" field_is $IDC_PMV "-0.80"
no_message
expect_fields " 1.2" " 0.5" "22.0" "22.0" "0.10" "50.0" "-0.80" "18.6"
report=$(report_of 1.20 0.50 22.00 22.00 0.10 50.00 -0.80 18.58)
expect_file "$DIR/pmv_data.txt" "$report"
release
expect_eq "clipboard" "$(probe clipboard)" "$(hex_of_text "marker")"

# Still usable: the next "Execute", now with the clipboard free, copies its
# report (the second of the process, after an empty line).
click $IDC_EXECUTE
wait_for "the second report on the clipboard" \
  test "$(probe clipboard)" == "$(hex_of_text "\r\n$report")"
no_message
expect_file "$DIR/pmv_data.txt" "\r\n$report"

close_silently
expect_file "$DIR/pmv_calc.ini" '[LASTVALUES]\r\nTr=22.00\r\nRH=50.00\r\nv=0.10\r\nmet=1.20\r\nclo=0.50\r\nmrt=22.00\r\npmv=-0.80\r\nppd=18.58\r\n'
note "ok"
