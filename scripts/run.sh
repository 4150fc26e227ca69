#!/usr/bin/env bash
# Opens the calculator under Wine. Installs and builds what is missing, then
# runs pmv_calc.exe from build/run/ (build/run64/ for the 64-bit build, see
# scripts/wine-env.sh), where an empty pmv_calc.ini is placed beside it on
# first use so that the last values persist from run to run (the program
# never creates that file itself).
#
# With a display, the calculator opens on it and this script returns when it
# is closed. Without one, it says so and hands over to scripts/screenshot.sh,
# which opens the calculator in a private Xvfb, computes one case, saves a
# picture of it in the run folder and closes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

# A Wine prefix of its own, so that the user's ~/.wine stays untouched.
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
use_windows_build run-wine
run_dir=$PWD/build/run${WINE_BITS#32} # build/run, or build/run64
bash scripts/setup.sh
mkdir -p "$run_dir"

if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
  echo "run: no display${DISPLAY:+ at $DISPLAY}: the calculator in a private Xvfb instead, for a picture"
  exec bash scripts/screenshot.sh "$run_dir/screenshot.png"
fi

echo "run: building pmv_calc.exe (only what is missing)"
build_windows pmv_calc
cmp -s "build/$WINDOWS_PRESET/pmv_calc.exe" "$run_dir/pmv_calc.exe" ||
  cp "build/$WINDOWS_PRESET/pmv_calc.exe" "$run_dir/pmv_calc.exe"
if [[ ! -e $run_dir/pmv_calc.ini ]]; then
  : >"$run_dir/pmv_calc.ini"
  echo "run: placed an empty pmv_calc.ini beside the program, so that Close keeps the values"
fi

prepare_run_prefix
echo "run: opening the calculator on $DISPLAY from $run_dir"
cd "$run_dir"
exec wine pmv_calc.exe
