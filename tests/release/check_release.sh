#!/usr/bin/env bash
# The release as a user gets it: usage check_release.sh EXE ZIP ALLOW_LIST.
# A new import fails here until someone has checked that Windows XP SP3 has
# it and added it to the allow-list.
set -uo pipefail
export LC_ALL=C
exe=$(realpath "$1") zip=$(realpath "$2") allowed=$3 status=0 dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2 && status=1; }

i686-w64-mingw32-objdump -p "$exe" |
  awk '/DLL Name:/ { dll = $3; next } /^$/ { dll = "" } dll && /^\t[0-9a-f]+\t/ { print dll, $NF }' |
  sort -u | diff - <(grep -v '^#' "$allowed") || fail "imports differ from $allowed (<: new, >: gone)"
grep -aq '<requestedExecutionLevel' "$exe" && fail "the manifest requests an execution level"
grep -aq '>true</dpiAware>' "$exe" || fail "the manifest does not declare DPI awareness"

[[ $(cmake -E tar tf "$zip" | sort | tr '\n' ' ') == "README.txt pmv_calc.exe pmv_calc.ini " ]] ||
  fail "$zip does not hold exactly README.txt, pmv_calc.exe and pmv_calc.ini"
(cd "$dir" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
cmp -s "$exe" "$dir/pmv_calc.exe" || fail "the ZIP's pmv_calc.exe is not the one built"
[[ -f $dir/pmv_calc.ini && ! -s $dir/pmv_calc.ini ]] || fail "pmv_calc.ini is not empty"
grep -q $'^$\|[^\r]$\|[^\t\r -~]' "$dir/README.txt" && fail "README.txt: a line without CR LF, or not ASCII"
[[ $(tail -c 2 "$dir/README.txt" | od -An -tx1) == " 0d 0a" ]] || fail "README.txt: last line unended"
exit "$status"
