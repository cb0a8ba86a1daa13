#!/bin/bash
# Starts zentolo.exe under Wine with a prefix of its own, build/win/wineprefix-run,
# whose registry keeps the settings from one run to the next. With a display it
# opens there and returns when the program ends; without one it starts a
# virtual display, saves a screenshot to build/zentolo.png and closes the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$root/build/win/zentolo.exe
export ZENTOLO_WINEPREFIX=$root/build/win/wineprefix-run

if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/wine-run.sh" "$exe"
fi
shots=$root/build/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/screenshots.sh" "$exe" "$shots" >/dev/null
WINEPREFIX=$ZENTOLO_WINEPREFIX "$root/scripts/wine.sh" --server -k >/dev/null 2>&1 || true
cp "$shots/calc.png" "$root/build/zentolo.png"
echo "$root/build/zentolo.png"
