#!/usr/bin/env bash
# What others do to the program's files and fields, in a folder whose name
# has characters that code page 1252 lacks. A hand-edited "pmv_calc.ini" is
# shown as read (a comma is no decimal point there), a value out of range
# refused at the next Execute; of a text set past the typing limit, 29
# characters are read.
# A directory named "pmv_calc.ini" is the settings file, even with one in the
# drive's root, which is loaded and saved once the directory has gone. Moved
# so deep that its path passes 260 characters, the program still copies a
# case, reads the settings file in the drive's root, and writes nothing there.
# No message but the range's.
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "Łódź 中文"

zeros() { printf "%0$1d" 0; }
# met of 50 characters: the 50th is not read, 0.0. clo of 49: read whole.
printf '%b' "\x01junk\r\n[LASTVALUES]\r\nmet=$(zeros 49)1\r\nclo=$(zeros 46)0.5\r\nTr=\r\n" \
  "mrt=55.5xyz\r\nv=0,15\r\nRH=1e300\r\npmv=-0\r\n[OTHER]\r\nkeep=1\r\n" >"$DIR/pmv_calc.ini"
calc_start
expect_fields " 0.0" " 0.5" " 0.0" "55.5" "0.00" "1e+300" "-0.00" "95.0"
click $IDC_EXECUTE
expect_refusal "0.80 ... 4.00 !" $IDC_MET
# Another program sets the fields; the 30th character, 5, is not read.
tool settext "$CAPTION" $IDC_MET "$(printf '%26s' '')1.25" || fail "no metabolic rate field"
for field in "$IDC_TA 23" "$IDC_TR 26" "$IDC_VEL 0.1" "$IDC_RH 45"; do
  tool settext "$CAPTION" $field || fail "no field for $field"
done
click $IDC_EXECUTE
wait_for "PMV" field_is $IDC_PMV "-0.12"
expect_soon "report" "$(report | hex)" file_hex "$DIR/pmv_data.txt"
click $IDC_CLOSE
calc_finish
saved="\x01junk\r\n[LASTVALUES]\r\nmet=1.20\r\nclo=0.50\r\nTr=23.00\r\nmrt=26.00\r\nv=0.10\r\n"
saved+="RH=45.00\r\npmv=-0.12\r\nppd=5.28\r\n[OTHER]\r\nkeep=1\r\n"
expect_file "$DIR/pmv_calc.ini" "$saved"

root=$WINEPREFIX/drive_c/pmv_calc.ini
nothing_written_elsewhere # before the journey writes there itself
printf '[LASTVALUES]\r\nmet=2.00\r\n' >"$root"
rm "$DIR/pmv_calc.ini" && mkdir "$DIR/pmv_calc.ini"
calc_start
expect_fields " 1.0" " 1.0" "24.5" "24.5" "0.08" "50.0" "0.00" "95.0"
click $IDC_CLOSE
calc_finish
expect_file "$root" '[LASTVALUES]\r\nmet=2.00\r\n'

rmdir "$DIR/pmv_calc.ini" || fail "a file was written into the directory"
calc_start
expect_eq "metabolic rate from the root" "$(tool field "$CAPTION" $IDC_MET)" " 2.0"
tab_and_type $IDC_MET 3
click $IDC_CLOSE
calc_finish
expect_file "$root" '[LASTVALUES]\r\nmet=3.00\r\nTr=24.50\r\nRH=50.00\r\nv=0.08\r\nclo=1.00\r\n'`
  `'mrt=24.50\r\npmv=0.00\r\nppd=95.00\r\n'

deep=$(printf 'd%.0s' {1..100}) && deep=$deep/$deep/$deep
mkdir -p "$DIR/$deep" && mv "$DIR/pmv_calc.exe" "$DIR/$deep" && PROGRAM=$DIR/$deep/pmv_calc.exe
printf '[LASTVALUES]\r\nppd=12.34\r\n' >"$root"
calc_start
expect_eq "PPD from the root" "$(tool field "$CAPTION" $IDC_PPD)" "12.3"
click $IDC_EXECUTE
expect_soon "clipboard" "$(report 1.00 1.00 24.50 24.50 0.08 50.00 0.38 7.98 | hex)" tool clipboard
press Escape
calc_finish
rm "$root"
e2e_done pmv_data.txt "$deep/pmv_calc.exe" "$deep/pmv_data.txt" # no settings file beside it
