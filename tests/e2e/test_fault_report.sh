#!/usr/bin/env bash
# "Execute" when the report cannot be written: a directory named
# "pmv_data.txt", the file held open without sharing by another program, the
# file held open by a viewer that lets others read it (the old report must
# not reach the clipboard then), the program's folder unwritable. Each time the results are shown, the dialog
# stays open, no message appears, nothing is written and the clipboard keeps
# what it had. Once the fault is gone the next "Execute" writes the report
# as the first of the process (no empty line before the header) and copies
# it; "Close" saves as usual.
source "$(dirname "$0")/fault_lib.sh"
fault_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
send clipboard "marker" || fail "could not set the clipboard"
marker=$(hex_of_text "marker")

# Execute with metabolic rate $1 and wait for PMV $2.
execute_case() { # met pmv ppd
  set_inputs "$1" "0.5" "22" "22" "0.1" "50"
  click $IDC_EXECUTE
  wait_for "PMV $2" field_is $IDC_PMV "$2"
  no_message
  expect_fields " $1" " 0.5" "22.0" "22.0" "0.10" "50.0" "$2" "$3"
}

note "a directory named pmv_data.txt"
mkdir "$DIR/pmv_data.txt"
execute_case 1.2 "-0.80" "18.6"
[[ -d $DIR/pmv_data.txt ]] || fail "pmv_data.txt is no longer a directory"
expect_eq "the directory's contents" "$(ls -A "$DIR/pmv_data.txt")" ""
expect_eq "clipboard" "$(probe clipboard)" "$marker"
rmdir "$DIR/pmv_data.txt"

note "pmv_data.txt held open by another program"
printf 'old report\r\n' >"$DIR/pmv_data.txt"
hold file pmv_data.txt
execute_case 1.4 "-0.33" " 7.3"
release
expect_file "$DIR/pmv_data.txt" 'old report\r\n'
expect_eq "clipboard" "$(probe clipboard)" "$marker"

note "pmv_data.txt open in a viewer that lets others only read it"
hold reader pmv_data.txt
execute_case 1.6 "0.00" " 5.0"
release
expect_file "$DIR/pmv_data.txt" 'old report\r\n'
expect_eq "clipboard" "$(probe clipboard)" "$marker"
rm "$DIR/pmv_data.txt"

if make_immutable "$DIR"; then
  note "the program's folder not writable"
  execute_case 1.8 "0.27" " 6.5"
  undo_immutable "$DIR"
  [[ ! -e $DIR/pmv_data.txt ]] || fail "a report was written"
  expect_eq "clipboard" "$(probe clipboard)" "$marker"
else
  note "SKIPPED the program's folder not writable: chattr +i is not allowed here"
fi

note "the fault gone"
expect_eq "folder" "$(folder_listing)" $'pmv_calc.exe\npmv_calc.ini'
execute_case 2.0 "0.50" "10.3"
report=$(report_of 2.00 0.50 22.00 22.00 0.10 50.00 0.50 10.26)
expect_file "$DIR/pmv_data.txt" "$report"
expect_eq "clipboard" "$(probe clipboard)" "$(hex_of_text "$report")"

close_silently
expect_file "$DIR/pmv_calc.ini" '[LASTVALUES]\r\nTr=22.00\r\nRH=50.00\r\nv=0.10\r\nmet=2.00\r\nclo=0.50\r\nmrt=22.00\r\npmv=0.50\r\nppd=10.26\r\n'
note "ok"
