#!/usr/bin/env bash
# Opens the calculator under Wine, after installing and building what is
# missing, from build/run/ (build/run64/ for the 64-bit build), where the
# last values persist from run to run. With a display, it opens there and
# this returns when it is closed; without one, scripts/screenshot.sh saves
# a picture of one case computed in a private Xvfb into that folder.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
use_windows_build run-wine # a prefix of its own: the user's ~/.wine stays untouched
run_dir=$ROOT/build/run${WINE_BITS#32}
bash scripts/setup.sh

if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo_quiet; then
  echo "run: no display${DISPLAY:+ at $DISPLAY}: the calculator in a private Xvfb instead, for a picture"
  mkdir -p "$run_dir"
  exec bash scripts/screenshot.sh "$run_dir/screenshot.png"
fi

echo "run: building pmv_calc.exe (only what is missing)"
build_windows pmv_calc
program_folder "$run_dir" "build/$WINDOWS_PRESET/pmv_calc.exe"
prepare_prefix
echo "run: opening the calculator on $DISPLAY from $run_dir"
cd "$run_dir"
exec wine pmv_calc.exe
