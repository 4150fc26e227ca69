#!/usr/bin/env bash
# Users elsewhere. From a folder whose name has characters that the ANSI code
# page lacks ("Łódź 中文" on code page 1252) the settings beside the program
# are loaded and saved and the report is written, as from any folder. Under
# a Japanese locale (code page 932, where the byte 0xB0 is a katakana sign)
# the same folder still works, a later start shows what Close saved, and the
# Unicode text on the clipboard has the degree sign while the plain text and
# the file keep their bytes.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "Łódź 中文"

printf '[LASTVALUES]\r\nmet=1.50\r\n' >"$DIR/pmv_calc.ini"
calc_start
expect_eq "stored metabolic rate" "$(tool field "$CAPTION" $IDC_MET)" " 1.5"
type_inputs 1.2 0.5 23 26 0.1 45
click $IDC_EXECUTE
expect_soon "report" "$(report_hex)" file_hex "$DIR/pmv_data.txt"
click $IDC_CLOSE
calc_finish
expect_file "$DIR/pmv_calc.ini" '[LASTVALUES]\r\nmet=1.20\r\nTr=23.00\r\nRH=45.00\r\nv=0.10\r\nclo=0.50\r\nmrt=26.00\r\npmv=-0.12\r\nppd=5.28\r\n'

export LC_ALL=ja_JP.UTF-8
rm "$DIR/pmv_data.txt"
calc_start
expect_fields " 1.2" " 0.5" "23.0" "26.0" "0.10" "45.0" "-0.12" " 5.3"
click $IDC_EXECUTE
expect_soon "plain text" "$(report_hex)" tool clipboard
expect_eq "Unicode text" "$(tool unicode)" "$(iconv -f cp1252 -t utf-16le "$DATA/example_report.txt" | hex)"
expect_eq "report" "$(file_hex "$DIR/pmv_data.txt")" "$(report_hex)"
press Escape
calc_finish
echo ok
