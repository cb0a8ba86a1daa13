#!/bin/bash
# The program as a screen reader reads it: started under Wine in the virtual
# display, read and driven from outside by the accessibility probe, which
# ends by pressing "×"; the program must then exit with 0.
set -uo pipefail
exe=$1
probe=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Default settings, whatever an earlier test stored in this prefix.
"$here/scripts/wine-run.sh" reg delete 'HKCU\Software\Ferlan\Zentolo' /f >/dev/null 2>&1
"$here/scripts/wine-run.sh" "$exe" &
pid=$!
timeout 60 xdotool search --sync --onlyvisible --class zentolo.exe >/dev/null
"$here/scripts/wine-run.sh" "$probe"
rc=$?
if timeout 30 tail --pid=$pid -f /dev/null; then wait $pid; exit_code=$?; else exit_code=timeout; kill $pid; fi
[ "$exit_code" = 0 ] || { echo "FAIL: the program exited with $exit_code"; rc=1; }
exit $rc
