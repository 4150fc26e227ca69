#!/usr/bin/env bash
# Runs a Windows build's tests under Wine, in the private display and Wine
# prefix the test command uses, after building what is missing. Arguments go
# to ctest: `bash scripts/wine-tests.sh -R e2e_faults` runs one journey.
# WINE_BITS=32 or 64 names the build; by default the 32-bit one, or the
# 64-bit one where this host cannot run 32-bit programs (scripts/host.sh).
# The exit code is ctest's, so that mutate.py can use this as its test.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/host.sh
choose_windows_road
if [[ -z ${WINE_BITS:-} ]]; then
  WINE_BITS=32
  [[ $PMV_WINDOWS_ROAD == 64 ]] && WINE_BITS=64
fi
export WINE_BITS
preset=windows-i686 WINE_ROOT=$PWD/build/wine
[[ $WINE_BITS == 64 ]] && preset=windows-x86_64 WINE_ROOT=$PWD/build/wine64
export WINE_ROOT

bash scripts/setup.sh || exit 1
[[ -f build/$preset/CMakeCache.txt ]] || cmake --preset $preset >/dev/null || exit 1
cmake --build --preset $preset >/dev/null || exit 1

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
start_private_display || exit 1
trap stop_private_display EXIT
prepare_prefix || exit 1
ctest --preset $preset "$@"
