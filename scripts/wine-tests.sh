#!/usr/bin/env bash
# Runs the Windows build's tests under Wine, in the private display and Wine
# prefix the test command uses, after building what is missing. Arguments go
# to ctest: `bash scripts/wine-tests.sh -R e2e_faults` runs one journey.
# The exit code is ctest's, so that mutate.py can use this as its test.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
[[ -f build/windows-i686/CMakeCache.txt ]] || cmake --preset windows-i686 >/dev/null || exit 1
cmake --build --preset windows-i686 >/dev/null || exit 1

export WINE_ROOT=$PWD/build/wine
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
start_private_display || exit 1
trap stop_private_display EXIT
prepare_prefix
ctest --preset windows-i686 "$@"
