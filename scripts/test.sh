#!/usr/bin/env bash
# Builds everything and runs every test: natively and under ASan+UBSan,
# both Windows builds under Wine (unit, Win32 and end-to-end tests; the
# 32-bit one only where WINE_BITS is 32, see scripts/wine-env.sh), the
# release ZIP with its check, and the fuzz targets' seeds and short runs.
# The native, sanitizer and fuzz tiers are CMake workflow presets: each
# configures, builds and runs its CTest entries. Exits non-zero on any
# failure.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
choose_wine_bits || exit 1
bash scripts/setup.sh || exit 1

failures=0
summary=()
step() { # name, command...
  local name=$1
  shift
  echo "=== $name"
  if "$@"; then
    summary+=("ok      $name")
  else
    summary+=("FAILED  $name")
    failures=$((failures + 1))
  fi
}

build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }

step "native build and tests" cmake --workflow --preset native
step "sanitizer build and tests" cmake --workflow --preset native-asan
step "windows-i686 build" build windows-i686
step "windows-x86_64 build" build windows-x86_64
if [[ $WINE_BITS == 32 ]]; then
  step "windows-i686 tests under Wine" bash scripts/wine-tests.sh
  tested="both Windows builds tested"
else
  tested="the 64-bit Windows build tested alone"
fi
step "windows-x86_64 tests under wine64" env WINE_BITS=64 bash scripts/wine-tests.sh
step "release package, its check and a second build" bash scripts/release.sh --verify
step "fuzz build, seeds and short runs" cmake --workflow --preset fuzz

echo
printf '%s\n' "${summary[@]}"
echo "windows: $tested: $WINE_WHY"
passed=$((${#summary[@]} - failures))
echo "steps: $passed passed, $failures failed"
exit $((failures > 0))
