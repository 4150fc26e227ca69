#!/usr/bin/env bash
# Remakes docs/screenshot.png, the picture in the README, or the file named
# by $1: the program under Wine in a private Xvfb, one case typed in and
# computed, the dialog cut out of the screen. Run it after a change to the
# dialog; nothing else writes that file. scripts/run.sh hands over to it
# where there is no display.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")

# The tested build, whose code the release is: the dialog looks the same.
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
use_windows_build run-wine
bash scripts/setup.sh
build_windows pmv_calc
start_private_display
trap stop_private_display EXIT
prepare_prefix

# A fresh folder, so that the last values of other runs do not show.
dir=$ROOT/build/screenshot
rm -rf "$dir"
program_folder "$dir" "build/$WINDOWS_PRESET/pmv_calc.exe"
focused() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$(window_of "$CAPTION")" ]]; }
computed() { [[ -s $dir/pmv_data.txt ]]; }
wine_start "$dir/pmv_calc.exe" "$CAPTION" 60 && wait_until 20 focused ||
  { echo "screenshot: the calculator did not open" >&2 && exit 1; }
type_inputs 1.2 0.5 22 22 0.1 50
press Tab Return # after the sixth field comes "Execute"
wait_until 20 computed || { echo "screenshot: Execute wrote no report" >&2 && exit 1; }

# The picture is taken once two in a row agree: the dialog is painted.
# xwininfo, since xdotool counts the offset of Wine's desktop window twice.
geometry=$(xwininfo -id "$(window_of "$CAPTION")" |
  awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
       /Width:/ { w = $NF } /Height:/ { h = $NF } END { print w "x" h "+" x "+" y }')
shot() { import -window root -crop "$geometry" +repage -strip "png:$1"; }
shot "$dir/previous.png"
for _ in $(seq 1 50); do
  shot "$dir/shot.png"
  cmp -s "$dir/shot.png" "$dir/previous.png" && break
  mv "$dir/shot.png" "$dir/previous.png"
done
cp "$dir/shot.png" "$out"
wine_end 20 Escape || true
echo "screenshot: $out"
