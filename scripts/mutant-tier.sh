#!/usr/bin/env bash
# One tier of tests for ../shared/tools/mutate.py, which plants one fault at a
# time and calls this after each; exit 0 means the tests let the fault pass.
#
#   scripts/mutant-tier.sh native          the unit tests natively, then, if
#                                          they pass, under ASan and UBSan
#   scripts/mutant-tier.sh windows         the Windows build under Wine: unit,
#                                          in-process and end-to-end tests
#   scripts/mutant-tier.sh release         the Windows tier, then the release
#                                          build and its check (for res/)
#   scripts/mutant-tier.sh fuzz TARGET...  the fuzz targets' seeds and a short
#                                          search, as the test command runs them
#
# The native builds are unoptimised, so that a fault is seen as written. Run
# it from the root of a clone used for nothing else: mutate.py changes the
# files in place, and each tier keeps its own build folder there.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

unit() { # build folder, cmake options...
  local dir=$1
  shift
  [[ -f $dir/CMakeCache.txt ]] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE= "$@" >/dev/null || return 1
  cmake --build "$dir" --target unit_tests >/dev/null 2>&1 || return 1
  (cd "$dir/testdata" && ASAN_OPTIONS=detect_leaks=1 timeout 120 ../tests/unit_tests >/dev/null 2>&1)
}

case ${1:-} in
native) unit build/mutant-native && unit build/mutant-asan -DPMV_SANITIZE=ON ;;
windows) E2E_TIMEOUT=15 bash scripts/wine-tests.sh --stop-on-failure >/dev/null 2>&1 ;;
release) bash "$0" windows && bash scripts/release.sh >/dev/null 2>&1 ;;
fuzz)
  shift
  { [[ -f build/fuzz/CMakeCache.txt ]] || cmake --preset fuzz; } >/dev/null 2>&1 &&
    cmake --build --preset fuzz >/dev/null 2>&1 || exit 1
  # A fresh search each time: a corpus grown on one fault would steer the next.
  rm -rf build/fuzz/fuzz-corpus build/fuzz/fuzz-crashes
  bash scripts/fuzz.sh short "$@" >/dev/null 2>&1
  ;;
*)
  echo "usage: $0 native | windows | release | fuzz TARGET..." >&2
  exit 2
  ;;
esac
