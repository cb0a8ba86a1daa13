#!/bin/bash
# Checks the release package: the zip holds the program and the user guide;
# the program imports system DLLs only, carries its version information and
# manifest, and starts and closes with exit code 0 under Wine (run it in a
# display, see gui-run.sh).
# Usage: check-dist.sh PACKAGE.zip
set -uo pipefail
zip=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { if "$@"; then echo "ok: $*"; else echo "FAIL: $*"; failures=$((failures + 1)); fi; }

check unzip -q "$zip" -d "$work"
exe=$work/Zentolo/zentolo.exe
check test -f "$exe"
check test -f "$work/Zentolo/Guida.txt"
# A resource string, stored as UTF-16: every ASCII character followed by a NUL.
has_utf16() { grep -qaP "$(printf '%s' "$1" | sed 's/./&\\x00/g')" "$exe"; }
for s in "041004B0" "Zentolo by Ferlan" "1.0.0 RC1" "Ferlan"; do check has_utf16 "$s"; done
check grep -qa 'level="asInvoker"' "$exe"
check grep -qa '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' "$exe"
check bash -c "! x86_64-w64-mingw32-objdump -h '$exe' | grep -q debug"
# Started from outside, closed by a click and by Alt+F4; imports checked there too.
check "$here/tests/app/program_test.sh" "$exe"
echo "package: $(stat -c %s "$zip") bytes, program: $(stat -c %s "$exe") bytes"
echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
