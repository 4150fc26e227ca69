#!/usr/bin/env bash
# Remakes docs/screenshot.png, the picture in the README: the released
# program under Wine in a private Xvfb, one case typed in and computed, the
# dialog cut out of the screen. Run it after a change to the dialog; nothing
# else writes that file.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-docs/screenshot.png}
caption='Vexlin PMV  calculator'

# The released program, or the 64-bit build where this host cannot run
# 32-bit programs (scripts/host.sh): the dialog looks the same.
source scripts/host.sh
choose_windows_road
preset=windows-i686-release
export WINE_BITS=32 WINE_ROOT=$root/build/run-wine
if [[ $PMV_WINDOWS_ROAD == 64 ]]; then
  echo "screenshot: the 64-bit build of the calculator: $PMV_WINDOWS_WHY"
  preset=windows-x86_64 WINE_BITS=64 WINE_ROOT=$root/build/run-wine64
fi
bash scripts/setup.sh
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target pmv_calc >/dev/null

# A folder of its own with an empty settings file, so that the last values
# of other runs do not show.
dir=$root/build/screenshot
rm -rf "$dir"
mkdir -p "$dir"
cp build/$preset/pmv_calc.exe "$dir/"
: >"$dir/pmv_calc.ini"

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
start_private_display
trap stop_private_display EXIT
prepare_run_prefix

focused() { [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == "$caption" ]]; }
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
echo "screenshot: $(realpath "$out")"
