#!/usr/bin/env bash
# Fails when docs/testing.md names a test that does not exist: a GoogleTest
# Suite.Test, Test in either case (Name.ext is a file), that no TEST line in
# tests/unit/ or tests/win/ defines, or an e2e_<name> without its journey
# tests/e2e/test_<name>.sh. The sources are read, not the executables, so
# that the native build checks the names of the Windows-only tests too.
cd "$(dirname "$0")/.."
defined=$(sed -nE 's/^TEST(_F)?\((\w+), (\w+)\).*/\2.\3/p' tests/unit/*.cpp tests/win/*.cpp)
status=0
files='\.(txt|md|sh|cpp|h|rc|ini|exe|bin|tsv|zip|json|py|manifest)$'
for name in $(grep -oE '\b[A-Z]\w*\.[A-Za-z_]\w*\b|\be2e_[a-z_]+' docs/testing.md | grep -vE "$files" | sort -u); do
  if [[ $name == e2e_* ]]; then [[ -f tests/e2e/test_${name#e2e_}.sh ]]; else grep -qx "$name" <<<"$defined"; fi ||
    { echo "docs/testing.md names $name, which is no test" && status=1; }
done
exit $status
