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

# A folder of its own with an empty settings file, so that the last values
# of other runs do not show.
dir=$PWD/build/screenshot
rm -rf "$dir"
mkdir -p "$dir"
cp "build/$WINDOWS_PRESET/pmv_calc.exe" "$dir/"
: >"$dir/pmv_calc.ini"

start_private_display
trap stop_private_display EXIT
prepare_run_prefix

focused() { [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == "$PMV_CAPTION" ]]; }
computed() { [[ -s $dir/pmv_data.txt ]]; }

(cd "$dir" && exec wine explorer /desktop=pmv_calc,1024x768 pmv_calc.exe) >/dev/null 2>&1 &
wine_pid=$!
wait_until 60 focused || { echo "screenshot: the calculator did not open" >&2 && exit 1; }

# Tab leaves "Close" for the first field and selects its text; after the
# sixth field comes "Execute".
for value in 1.2 0.5 22 22 0.1 50; do
  xdotool key Tab
  xdotool type --delay 20 -- "$value"
done
xdotool key Tab Return
wait_until 20 computed || { echo "screenshot: Execute wrote no report" >&2 && exit 1; }

# The picture is taken once two in a row agree: the dialog is painted.
# xwininfo, since xdotool counts the offset of Wine's desktop window twice.
geometry=$(xwininfo -id "$(xdotool getwindowfocus)" |
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

xdotool key Escape
wait_until 20 eval '! kill -0 "$wine_pid" 2>/dev/null' || kill "$wine_pid" 2>/dev/null || true
echo "screenshot: $out"
