#!/usr/bin/env bash
# What others do to the program's files, fields and clipboard. A hand-edited
# "pmv_calc.ini" is shown as read and each value out of range is refused in
# turn; a text put into a field past its typing limit is read as its first
# 29 characters. With the clipboard held by another program the report is
# written and the clipboard keeps its text; with the report open in a program that reads it, the
# file stays as it was and the clipboard gets this case's report. A settings
# file that cannot be written, or is a directory: the program ends as usual.
# Never a message but the range messages, always exit code 0.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

zeros() { printf "%0$1d" 0; }
# met of 50 characters: the 50th is not read, 0.0. clo of 49: read whole.
printf '%b' "\x01junk\r\n[LASTVALUES]\r\nmet=$(zeros 49)1\r\nclo=$(zeros 46)0.5\r\nTr=\r\n" \
  "mrt=55.5xyz\r\nv=0.1abc\r\nRH=1e300\r\npmv=-0\r\n[OTHER]\r\nkeep=1\r\n" >"$DIR/pmv_calc.ini"
calc_start
expect_fields " 0.0" " 0.5" " 0.0" "55.5" "0.10" "1e+300" "-0.00" "95.0"
click $IDC_EXECUTE
expect_refusal "0.80 ... 4.00 !" $IDC_MET
# Another program sets 30 characters; the 5 at the end is not read.
tool settext "$CAPTION" $IDC_MET "$(printf '%26s' '')1.25" || fail "no metabolic rate field"
for refused in "10.00 ... 30.00 !:$IDC_TA:23" "10.00 ... 40.00 !:$IDC_TR:26" \
  "1.00 ... 100.00 !:$IDC_RH:45"; do
  IFS=: read -r message id value <<<"$refused"
  click $IDC_EXECUTE
  expect_refusal "$message" "$id"
  xdotool type --delay 20 "$value"
  wait_for "$value in field $id" field_is "$id" "$value"
done

before=$(tool clipboard)
[[ $before != "$(report_hex)" ]] || fail "the clipboard holds the report already"
hold clipboard
click $IDC_EXECUTE
wait_for "PMV" field_is $IDC_PMV "-0.12"
no_message
expect_fields " 1.2" " 0.5" "23.0" "26.0" "0.10" "45.0" "-0.12" " 5.3"
expect_soon "report" "$(report_hex)" file_hex "$DIR/pmv_data.txt"
release
expect_eq "clipboard" "$(tool clipboard)" "$before"

printf 'old report\r\n' >"$DIR/pmv_data.txt"
hold file pmv_data.txt
click $IDC_EXECUTE
wait_for "the report on the clipboard" eval '[[ $(tool clipboard) == $(report_hex later) ]]'
no_message
release
expect_file "$DIR/pmv_data.txt" 'old report\r\n'
click $IDC_CLOSE
calc_finish
expect_file "$DIR/pmv_calc.ini" "\x01junk\r\n[LASTVALUES]\r\nmet=1.20\r\nclo=0.50\r\nTr=23.00\r\nmrt=26.00\r\nv=0.10\r\nRH=45.00\r\npmv=-0.12\r\nppd=5.28\r\n[OTHER]\r\nkeep=1\r\n"

if chattr +i "$DIR/pmv_calc.ini" 2>/dev/null; then # stops root, unlike Wine's read-only
  saved=$(hex <"$DIR/pmv_calc.ini")
  calc_start
  tab_and_type $IDC_MET 3
  click $IDC_CLOSE
  calc_finish
  chattr -i "$DIR/pmv_calc.ini"
  expect_eq "unwritable settings" "$(hex <"$DIR/pmv_calc.ini")" "$saved"
else
  echo "SKIPPED the unwritable settings file: chattr +i is not allowed here"
fi

rm "$DIR/pmv_calc.ini" && mkdir "$DIR/pmv_calc.ini"
calc_start
expect_fields " 1.0" " 1.0" "24.5" "24.5" "0.08" "50.0" "0.00" "95.0"
click $IDC_CLOSE
calc_finish
expect_eq "the directory" "$(ls -A "$DIR/pmv_calc.ini")" ""
[[ ! -e $WINEPREFIX/drive_c/pmv_calc.ini ]] || fail "C:\\pmv_calc.ini was created"
echo ok
