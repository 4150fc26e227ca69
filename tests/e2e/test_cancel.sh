#!/usr/bin/env bash
# Escape and the close command (Alt+F4) end the program without saving
# anything, with exit code 0; the next start shows the values saved before.
# Enter in an input field does nothing.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

saved='[LASTVALUES]\r\nTr=20.00\r\nRH=40.00\r\nv=0.20\r\nmet=1.60\r\nclo=0.70\r\nmrt=21.00\r\npmv=-0.12\r\nppd=5.30\r\n'
printf '%b' "$saved" >"$DIR/pmv_calc.ini"

for key in Escape alt+F4; do
  note "$key"
  calc_start
  expect_fields " 1.6" " 0.7" "20.0" "21.0" "0.20" "40.0" "-0.12" " 5.3"
  tab_and_type $IDC_MET "3"
  tab_and_type $IDC_CLO "1.5"
  # Enter in an input field does nothing: the next key still lands there.
  press Return
  xdotool type "5"
  wait_for "the field to take the next key" field_is $IDC_CLO "1.55"
  window_shown "$CAPTION" || fail "Enter in a field ended the dialog"
  press "$key"
  calc_finish 0
  expect_file "$DIR/pmv_calc.ini" "$saved"
done
[[ ! -e $DIR/pmv_data.txt ]] || fail "a report was written"
note "ok"
