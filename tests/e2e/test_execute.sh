#!/usr/bin/env bash
# A case typed with a comma and a metabolic rate of more decimals than its
# field shows, and "Execute" clicked: the full value is computed and the rate
# shown rounded; report file and clipboard hold the same bytes, the settings
# are untouched. Enter on the clicked button repeats it with the rate as
# shown; a later report starts with an empty line. Two bad fields: one
# message, for the first, that field selected, nothing computed or written,
# the fields before it kept. "Close" saves up to its own first bad field, of
# 16 typed characters. Started again under code page 932, renamed "ソフト.exe"
# (ソ is 0x83 0x5C, a backslash), from another folder, it shows what was saved
# beside it, and a screen reader hears each field by its label's name.
# Execute with the clipboard held past the wait: the results under the busy
# warning, which an Enter typed during the wait does not close; held a moment:
# copied, "°" in the Unicode text, the dialog its owner. Close saves; no other
# file appears, in the working folder neither.
source "$(dirname "$0")/lib.sh"
e2e_init "$1"

: >"$DIR/pmv_calc.ini"
calc_start
type_inputs 1.24 0,5 23 26 0.1 45
click $IDC_EXECUTE
wait_for "PMV" field_is $IDC_PMV "-0.03"
expect_fields " 1.2" " 0.5" "23.0" "26.0" "0.10" "45.0" "-0.03" " 5.0"
first=$(report 1.24 0.50 23.00 26.00 0.10 45.00 -0.03 5.02 | hex)
expect_soon "report" "$first" file_hex "$DIR/pmv_data.txt"
expect_soon "clipboard" "$first" tool clipboard
expect_file "$DIR/pmv_calc.ini" ""

wait_for "the focus on Execute" focus_is $IDC_EXECUTE
press Return
wait_for "the later report on the clipboard" eval '[[ $(tool clipboard) == $(report later | hex) ]]'

press Tab # round to "Close"
wait_for "the focus on Close" focus_is $IDC_CLOSE
type_inputs 2 0.8 24 27 9 0
click $IDC_EXECUTE
expect_refusal "0.00 ... 1.00 !" $IDC_VEL
expect_fields "2" "0.8" "24" "27" "9" "0" "-0.12" " 5.3"
expect_eq "report" "$(hex <"$DIR/pmv_data.txt")" "$(report later | hex)"
xdotool type --delay 20 0.3 # over the selected "9": good, but behind a bad field
wait_for "0.3" field_is $IDC_VEL 0.3
tab_and_type $IDC_TR 12345678901234567 shift+Tab
tab_and_type $IDC_TA 25 shift+Tab
click $IDC_CLOSE
calc_finish
# Air temperature read by Close; the radiant one as the refused Execute read it.
expect_file "$DIR/pmv_calc.ini" "$(ini_of 25.00 45.00 0.10 2.00 0.80 27.00 -0.12 5.28)"

export LC_ALL=ja_JP.UTF-8 # code page 932, where the byte 0xB0 is a katakana sign
mv "$DIR/pmv_calc.exe" "$DIR/ソフト.exe" && PROGRAM=$DIR/ソフト.exe
mkdir "$DIR/start in" && START_IN=$DIR/start\ in # a shortcut's "Start in"
calc_start
expect_fields " 2.0" " 0.8" "25.0" "27.0" "0.10" "45.0" "-0.12" " 5.3"
# As a screen reader asks: each field is named by its label, U+00B0 under
# this code page too; role (editable text), value and state the system's.
names=("Metabolic rate [met]" "Clothing [clo]" "Air temperature [°C]"
  "Mean radiant temperature  [°C]" "Air velocity [m/s]" "Relative humidity [%]" PMV "PPD [%]")
for id in $FIELDS; do
  IFS='|' read -r name role value state <<<"$(tool access "$CAPTION" "$id")"
  expect_eq "name of field $id" "$name" "${names[0]}" && names=("${names[@]:1}")
  expect_eq "role and value of field $id" "$role $value" "2a $(tool field "$CAPTION" "$id")"
  expect_eq "field $id unavailable" $((0x${state:-0} & 1)) $((id == IDC_PMV || id == IDC_PPD))
done
hold_clipboard
click $IDC_EXECUTE
sleep 0.3
press Return # as when nothing seems to happen
# The dialog answers no one while it waits: its results are read under the
# warning, which stays until a key made after it appeared.
wait_for "the busy warning" shown "$TITLE"
sleep 1
expect_eq "warning" "$(tool field "$TITLE" 65535)" "The clipboard is busy: this case was not copied!"
expect_eq "PMV under the warning" "$(tool field "$CAPTION" $IDC_PMV)" "1.42"
press Return
wait_for "the warning to close" gone "$TITLE"
release
hold_clipboard
click $IDC_EXECUTE
sleep 0.4 # while the program waits for the clipboard
release
case=(2.00 0.80 25.00 27.00 0.10 45.00 1.42 46.50 later) # the first report was written
expect_soon "report" "$(report "${case[@]}" | hex)" file_hex "$DIR/pmv_data.txt"
expect_soon "plain text" "$(report "${case[@]}" | hex)" tool clipboard
expect_eq "Unicode text" "$(tool unicode)" "$(report "${case[@]}" | iconv -f cp1252 -t utf-16le | hex)"
expect_eq "clipboard owner" "$(tool field -)" "$CAPTION"
click $IDC_CLOSE
calc_finish
expect_file "$DIR/pmv_calc.ini" "$(ini_of 25.00 45.00 0.10 2.00 0.80 27.00 1.42 46.50)"
e2e_done ソフト.exe pmv_calc.ini pmv_data.txt
