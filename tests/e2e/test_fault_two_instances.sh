#!/usr/bin/env bash
# Two instances open at once on the same "pmv_calc.ini", closed in turn, in
# both orders: each "Close" writes all eight keys, so the file holds the
# case of the last one to close, key by key; lines of other sections stay,
# and the file stays one well-formed section. Both end with exit code 0.
source "$(dirname "$0")/fault_lib.sh"
fault_init "$1"

printf '%b' '[OTHER]\r\nkeep=1\r\n[LASTVALUES]\r\nTr=20.00\r\nRH=40.00\r\nv=0.20\r\nmet=1.60\r\nclo=0.70\r\nmrt=21.00\r\npmv=-0.12\r\nppd=5.30\r\n' >"$DIR/pmv_calc.ini"
FIRST='first instance'

saved_case() { # met clo
  printf '[OTHER]\\r\\nkeep=1\\r\\n[LASTVALUES]\\r\\nTr=20.00\\r\\nRH=40.00\\r\\nv=0.20\\r\\nmet=%s\\r\\nclo=%s\\r\\nmrt=21.00\\r\\npmv=-0.12\\r\\nppd=5.30\\r\\n' "$1" "$2"
}

# Starts the second instance while the first is up. The first one's
# caption is changed and its window moved to the top-left corner (by another
# program, as a test may) so that the two windows can be told apart and
# both clicked; the second keeps the real caption and opens centred.
start_both() {
  calc_start
  FIRST_PID=$CALC_PID
  send retitle "$CAPTION" "$FIRST" || fail "could not retitle the first instance"
  wait_for "the first instance retitled" window_shown "$FIRST"
  send move "$FIRST" 0 0 || fail "could not move the first instance"
  calc_start
  SECOND_PID=$CALC_PID
  expect_fields " 1.6" " 0.7" "20.0" "21.0" "0.20" "40.0" "-0.12" " 5.3"
  send settext "$FIRST" $IDC_MET "2" || fail "no field in the first instance"
  send settext "$FIRST" $IDC_CLO "1" || fail "no field in the first instance"
  send settext "$CAPTION" $IDC_MET "3" || fail "no field in the second instance"
  send settext "$CAPTION" $IDC_CLO "1.5" || fail "no field in the second instance"
}

# Clicks "Close" of the window with that caption and waits for its
# instance to end with exit code 0.
close_instance() { # caption pid
  local saved=$CAPTION
  CAPTION=$1
  CALC_PID=$2
  close_silently
  CAPTION=$saved
}

note "first closed first"
start_both
close_instance "$FIRST" "$FIRST_PID"
expect_file "$DIR/pmv_calc.ini" "$(saved_case 2.00 1.00)"
close_instance "$CAPTION" "$SECOND_PID"
expect_file "$DIR/pmv_calc.ini" "$(saved_case 3.00 1.50)"

note "second closed first"
printf '%b' "$(saved_case 1.60 0.70)" >"$DIR/pmv_calc.ini"
start_both
close_instance "$CAPTION" "$SECOND_PID"
expect_file "$DIR/pmv_calc.ini" "$(saved_case 3.00 1.50)"
close_instance "$FIRST" "$FIRST_PID"
expect_file "$DIR/pmv_calc.ini" "$(saved_case 2.00 1.00)"
note "ok"
