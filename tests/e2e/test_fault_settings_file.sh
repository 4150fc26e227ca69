#!/usr/bin/env bash
# "pmv_calc.ini" that cannot be written, and "pmv_calc.ini" that is a
# directory. Either way the program starts, shows what it could read, and
# "Close" ends it with exit code 0 and no message, leaving the entry exactly
# as it was and creating no other settings file.
#
# The tests run as root, and Wine's read-only attribute is a permission bit
# that root passes: only the file system's immutable attribute (chattr +i)
# makes the file unwritable for the program here.
source "$(dirname "$0")/fault_lib.sh"
fault_init "$1"

saved='[LASTVALUES]\r\nTr=20.00\r\nRH=40.00\r\nv=0.20\r\nmet=1.60\r\nclo=0.70\r\nmrt=21.00\r\npmv=-0.12\r\nppd=5.30\r\n'
printf '%b' "$saved" >"$DIR/pmv_calc.ini"
if make_immutable "$DIR/pmv_calc.ini"; then
  note "read-only settings file"
  calc_start
  expect_fields " 1.6" " 0.7" "20.0" "21.0" "0.20" "40.0" "-0.12" " 5.3"
  tab_and_type $IDC_MET "3"
  tab_and_type $IDC_CLO "1,5"
  close_silently
  undo_immutable "$DIR/pmv_calc.ini"
  expect_file "$DIR/pmv_calc.ini" "$saved"
  expect_eq "folder" "$(folder_listing)" $'pmv_calc.exe\npmv_calc.ini'
else
  note "SKIPPED read-only settings file: chattr +i is not allowed here"
fi

note "settings file that is a directory"
rm -f "$DIR/pmv_calc.ini"
mkdir "$DIR/pmv_calc.ini"
calc_start
# Found (only its existence is asked), read as an empty file: the defaults.
expect_fields " 1.0" " 1.0" "24.5" "24.5" "0.08" "50.0" "0.00" "95.0"
tab_and_type $IDC_MET "2"
close_silently
[[ -d $DIR/pmv_calc.ini ]] || fail "pmv_calc.ini is no longer a directory"
expect_eq "the directory's contents" "$(ls -A "$DIR/pmv_calc.ini")" ""
expect_eq "folder" "$(folder_listing)" $'pmv_calc.exe\npmv_calc.ini/'
[[ ! -e $WINEPREFIX/drive_c/pmv_calc.ini ]] || fail "C:\\pmv_calc.ini was created"
[[ ! -e $WINEPREFIX/drive_c/windows/pmv_calc.ini ]] || fail "a pmv_calc.ini was created in Windows"
note "ok"
