#!/usr/bin/env bash
# Opens the calculator under Wine. Installs and builds what is missing, then
# runs pmv_calc.exe from build/run/, where an empty pmv_calc.ini is placed
# beside it on first use so that the last values persist from run to run
# (the program never creates that file itself).
#
# With a display, the calculator opens on it and this script returns when it
# is closed. Without one, it says so, opens the calculator in a private Xvfb,
# saves a screenshot of it, closes it and says where the picture is.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# The 32-bit program, or the 64-bit one where this host cannot run 32-bit
# programs (scripts/host.sh).
source scripts/host.sh
choose_windows_road
if [[ $PMV_WINDOWS_ROAD == 64 ]]; then
  echo "run: the 64-bit build of the calculator: $PMV_WINDOWS_WHY"
  preset=windows-x86_64 suffix=64
else
  preset=windows-i686 suffix=
fi
export WINE_BITS=${suffix:-32}

# The folders can be moved elsewhere, to try this script beside another
# build: RUN_BUILD_DIR, RUN_DIR, RUN_WINE_ROOT.
build_dir=${RUN_BUILD_DIR:-build/$preset}
run_dir=$(realpath -m "${RUN_DIR:-build/run$suffix}")

bash scripts/setup.sh

if [[ ! -f $build_dir/CMakeCache.txt ]]; then
  echo "run: configuring the Windows build in $build_dir"
  cmake --preset $preset -B "$build_dir" >/dev/null
fi
echo "run: building pmv_calc.exe (only what is missing)"
cmake --build "$build_dir" -j2 --target pmv_calc >/dev/null

mkdir -p "$run_dir"
cmp -s "$build_dir/pmv_calc.exe" "$run_dir/pmv_calc.exe" ||
  cp "$build_dir/pmv_calc.exe" "$run_dir/pmv_calc.exe"
if [[ ! -e $run_dir/pmv_calc.ini ]]; then
  : >"$run_dir/pmv_calc.ini"
  echo "run: placed an empty pmv_calc.ini beside the program, so that Close keeps the values"
fi

# A Wine prefix of its own, so that the user's ~/.wine stays untouched.
export WINE_ROOT
WINE_ROOT=$(realpath -m "${RUN_WINE_ROOT:-build/run-wine$suffix}")
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
  prepare_run_prefix
  echo "run: opening the calculator on $DISPLAY from $run_dir"
  cd "$run_dir"
  status=0
  wine pmv_calc.exe || status=$?
  exit "$status"
fi

echo "run: no display${DISPLAY:+ at $DISPLAY}: opening the calculator in a private Xvfb instead,"
echo "run: to take a screenshot of it and close it again."
start_private_display || exit 1
trap stop_private_display EXIT
prepare_run_prefix

caption='Vexlin PMV  calculator'
calculator_focused() { [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == "$caption" ]]; }
wine_ended() { ! kill -0 "$wine_pid" 2>/dev/null; }

# A Wine desktop of its own inside the Xvfb: there is no window manager.
cd "$run_dir"
wine explorer /desktop=pmv_calc,1024x768 pmv_calc.exe >/dev/null 2>&1 &
wine_pid=$!
if ! wait_until 60 calculator_focused; then
  echo "run: the calculator did not open" >&2
  exit 1
fi
# The picture is taken once two in a row agree: the dialog is painted.
shot="$run_dir/screenshot.png"
previous="$run_dir/.screenshot.previous.png"
import -window root "png:$previous"
for _ in $(seq 1 50); do
  import -window root "png:$shot"
  cmp -s <(convert "$shot" rgb:-) <(convert "$previous" rgb:-) && break
  mv "$shot" "$previous"
done
rm -f "$previous"

# Escape closes it without saving anything.
xdotool key Escape
wait_until 20 wine_ended || kill "$wine_pid" 2>/dev/null || true
echo "run: the calculator opened and was closed again; its screenshot is $shot"
