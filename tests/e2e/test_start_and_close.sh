#!/usr/bin/env bash
# First start with no "pmv_calc.ini": the defaults, the dialog centred, the
# focus on "Close". A settings file made while the program runs is not used
# before the next start: Enter at once presses Close and saves nothing, nor
# creates a file anywhere. Enter in a field does nothing, Escape or Alt+F4
# end the program without saving; Close saves the eight values into the
# empty file. No report without Execute.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

calc_start
expect_fields " 1.0" " 1.0" "24.5" "24.5" "0.08" "50.0" "0.00" "95.0"
rect
# Centred on the desktop, with 20 pixels kept free at the bottom.
expect_eq "position" "$LEFT $TOP" \
  "$(((SCREEN_WIDTH - RIGHT + LEFT) / 2)) $(((SCREEN_HEIGHT - 20 - BOTTOM + TOP) / 2))"
: >"$DIR/pmv_calc.ini"
press Return
calc_finish
expect_file "$DIR/pmv_calc.ini" ""

for key in Escape alt+F4; do
  calc_start
  tab_and_type $IDC_MET "2"
  press Return # in a field: nothing, and the next key still lands there
  xdotool type ".5"
  wait_for "the field to take the next key" field_is $IDC_MET "2.5" # a value Close would save
  press "$key"
  calc_finish
  expect_file "$DIR/pmv_calc.ini" ""
done

calc_start
press Return
calc_finish
expect_file "$DIR/pmv_calc.ini" "$(ini_of 24.50 50.00 0.08 1.00 1.00 24.50 0.00 95.00)"
e2e_done pmv_calc.exe pmv_calc.ini # no report; no settings file in the root or win.ini
