#!/usr/bin/env bash
# Makes the release a Windows user unzips and runs: installs what is
# missing, builds the stripped program, packs it with an empty pmv_calc.ini
# and the users' README.txt into build/windows-i686-release/
# pmv_calc-<version>-win32.zip, checks what the ZIP holds and what the
# program imports, and prints the SHA-256 of the program and of the ZIP.
#
# The build is reproducible: the ZIP's times are the last commit's, and
# the program carries no time stamp. `--verify` proves it by a second build
# of the same sources, copied to another folder, later; both must give the
# same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 946684800)
fi
export SOURCE_DATE_EPOCH

release_build() { # source folder
  (cd "$1" && cmake --preset windows-i686-release >/dev/null &&
    cmake --build --preset windows-i686-release --target package >/dev/null)
}

release_build .
ctest --preset windows-i686-release
out=build/windows-i686-release
zip=$(echo $out/pmv_calc-*-win32.zip)
echo "release: $(realpath "$zip")"
(cd $out && sha256sum pmv_calc.exe "$(basename "$zip")" | sed 's/^/release: /')

if [[ ${1:-} == --verify ]]; then
  again=$(mktemp -d)
  trap 'rm -rf "$again"' EXIT
  git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$again"
  sleep 2 # a later time, to the ZIP's two-second resolution
  release_build "$again"
  for f in pmv_calc.exe "$(basename "$zip")"; do
    if ! cmp "$out/$f" "$again/$out/$f"; then
      echo "release: a second build of the same sources gave another $f" >&2
      exit 1
    fi
  done
  echo "release: a second build in another folder gave the same bytes"
fi
