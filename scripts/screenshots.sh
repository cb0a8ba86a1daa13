#!/bin/bash
# Starts zentolo.exe in the current X display, takes one screenshot per tab,
# switching tabs with real mouse clicks on the tab buttons, into OUTDIR
# (calc.png, date.png, interessi.png, proporzioni.png, opzioni.png), then
# closes the program with a click on "×". With a DPI (the prefix's display
# scale, 96 by default) the clicks and the expected window sizes are scaled.
# Usage: screenshots.sh ZENTOLO.EXE OUTDIR [DPI]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exe=$1
out=$2
dpi=${3:-96}
px() { echo $(( ($1 * dpi + 48) / 96 )); }  # MulDiv(v, dpi, 96) for positive v
mkdir -p "$out"

"$here/wine-run.sh" "$exe" &
pid=$!
w=$(timeout 60 xdotool search --sync --onlyvisible --class zentolo.exe | head -1)
[ -n "$w" ] || { echo "screenshots: the window did not appear" >&2; kill $pid; exit 1; }

# name, x of the tab button's centre, the window height that tab sets
tabs=("calc 53 390" "date 140 405" "interessi 232 465" "proporzioni 336 455" "opzioni 435 507")
for t in "${tabs[@]}"; do
  read -r name x height <<<"$t"
  xdotool mousemove --window "$w" "$(px "$x")" "$(px 56)" click 1
  shown=
  for _ in $(seq 100); do
    xdotool getwindowgeometry "$w" | grep -q "Geometry: $(px 490)x$(px "$height")" && { shown=1; break; }
    sleep 0.05
  done
  [ -n "$shown" ] || { echo "screenshots: $name is not $(px 490)x$(px "$height")" >&2; exit 1; }
  xdotool mousemove --window "$w" "$(px 470)" "$(px $((height - 8)))"  # no hover look on the tab
  sleep 0.3
  import -window "$w" "$out/$name.png"
done

xdotool mousemove --window "$w" "$(px 459)" "$(px 18)" click 1
timeout 30 tail --pid=$pid -f /dev/null || kill $pid
wait $pid
echo "$out"
