#!/usr/bin/env bash
# Runs a Windows build's tests under Wine, in the private display and Wine
# prefix the test command uses, after building what is missing. Arguments go
# to ctest: `bash scripts/wine-tests.sh -R e2e_faults` runs one journey.
# WINE_BITS=32 or 64 names the build (scripts/wine-env.sh chooses otherwise).
# The exit code is ctest's, so that mutate.py can use this as its test.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
use_windows_build wine
bash scripts/setup.sh || exit 1
build_windows || exit 1
start_private_display || exit 1
trap stop_private_display EXIT
prepare_prefix || exit 1
ctest --preset "$WINDOWS_PRESET" "$@"
