#!/bin/bash
# Runs a Windows program under Wine, in the prefix ZENTOLO_WINEPREFIX or else
# in that of the build tree that holds it (BUILD/wineprefix), preparing the
# prefix the first time.
set -euo pipefail

exe=$1
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${ZENTOLO_WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$exe")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run: $exe is not in a build tree" >&2; exit 2; }
  ZENTOLO_WINEPREFIX=$dir/wineprefix
fi
export WINEPREFIX=$ZENTOLO_WINEPREFIX
"$here/wine-prefix.sh" "$WINEPREFIX"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec "$here/wine.sh" "$exe" "$@"
