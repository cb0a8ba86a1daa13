#!/bin/bash
# Runs a Windows program under Wine, in the prefix of the build tree that holds
# it (BUILD/wineprefix), preparing that prefix the first time.
set -euo pipefail

exe=$1
shift
dir=$(cd "$(dirname "$exe")" && pwd)
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ -f "$dir/CMakeCache.txt" ] || { echo "wine-run: $exe is not in a build tree" >&2; exit 2; }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${ZENTOLO_WINEPREFIX:-$dir/wineprefix}
"$here/wine-prefix.sh" "$WINEPREFIX"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec "$here/wine.sh" "$exe" "$@"
