#!/usr/bin/env bash
# First start beside an empty "pmv_calc.ini": the dialog opens with the
# defaults and the focus on "Close"; Enter at once presses "Close", which
# saves the eight values and ends the program with exit code 0. On the way,
# a picture of the opened dialog becomes docs/screenshot.png.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
expect_fields " 1.0" " 1.0" "24.5" "24.5" "0.08" "50.0" "0.00" "95.0"

# The dialog alone, cut out of the screen. Stripped of time stamps, the
# picture only changes when the dialog does.
if command -v import >/dev/null; then
  read -r left top right bottom <<<"$(probe rect "$CAPTION")"
  shot="$DIR/screenshot.png"
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -strip \
    "png:$shot" || fail "no screenshot"
  docs="$(dirname "$0")/../../docs"
  mkdir -p "$docs"
  cmp -s "$shot" "$docs/screenshot.png" || cp "$shot" "$docs/screenshot.png"
  note "screenshot: $(realpath "$docs/screenshot.png")"
fi

press Return
calc_finish 0
expect_file "$DIR/pmv_calc.ini" '[LASTVALUES]\r\nTr=24.50\r\nRH=50.00\r\nv=0.08\r\nmet=1.00\r\nclo=1.00\r\nmrt=24.50\r\npmv=0.00\r\nppd=95.00\r\n'
[[ ! -e $DIR/pmv_data.txt ]] || fail "a report was written without Execute"
note "ok"
