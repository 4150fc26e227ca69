#!/usr/bin/env bash
# Makes the release a Windows user unzips and runs: installs what is
# missing, builds the stripped program, packs it with an empty pmv_calc.ini
# and the users' README.txt into build/windows-i686-release/
# pmv_calc-<version>-win32.zip, and checks what the ZIP holds and what the
# program imports.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset windows-i686-release >/dev/null
cmake --build --preset windows-i686-release --target package >/dev/null
ctest --preset windows-i686-release
echo "release: $(realpath build/windows-i686-release/pmv_calc-*-win32.zip)"
