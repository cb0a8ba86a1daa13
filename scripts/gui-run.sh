#!/bin/bash
# Runs a command in a virtual X display with a Wine prefix of its own (the
# build tree's wineprefix-gui), then stops that prefix's Wine server so that
# nothing stays tied to the display. A .exe runs under Wine; anything else
# runs as it is, with DISPLAY and ZENTOLO_WINEPREFIX set.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ "${1:-}" != --inside ]; then
  exe=
  for a in "$@"; do case "$a" in *.exe) exe=$a; break ;; esac; done
  [ -n "$exe" ] || { echo "gui-run: no .exe among the arguments" >&2; exit 2; }
  dir=$(cd "$(dirname "$exe")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export ZENTOLO_WINEPREFIX=${ZENTOLO_WINEPREFIX:-$dir/wineprefix-gui}
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$@"
fi

shift
set +e
case "$1" in
  *.exe) "$here/wine-run.sh" "$@" ;;
  *) "$@" ;;
esac
rc=$?
WINEPREFIX=$ZENTOLO_WINEPREFIX "$here/wine.sh" --server -k >/dev/null 2>&1
WINEPREFIX=$ZENTOLO_WINEPREFIX "$here/wine.sh" --server -w >/dev/null 2>&1  # gone before the next run
exit $rc
