#!/bin/bash
# The program from outside: started under Wine in the virtual display, closed
# by a real click on "×" and then by Alt+F4; each time it must exit with 0.
set -uo pipefail
exe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
failures=0

# No window position kept from an earlier run: the window opens at the corner.
"$here/scripts/wine-run.sh" reg delete 'HKCU\Software\Ferlan\Zentolo' /f >/dev/null 2>&1

run_and_close() {
  local how=$1
  "$here/scripts/wine-run.sh" "$exe" &
  local pid=$!
  local w
  w=$(timeout 60 xdotool search --sync --onlyvisible --class zentolo.exe | head -1)
  if [ -z "$w" ]; then echo "FAIL $how: no window"; kill $pid; return 1; fi
  local geometry
  geometry=$(xdotool getwindowgeometry "$w" | tr -d '\n')
  case "$geometry" in
    *"Position: 0,0"*"Geometry: 490x390"*) ;;
    *) echo "FAIL $how: window at $geometry"; failures=$((failures + 1)) ;;
  esac
  case "$how" in
    close) xdotool mousemove --window "$w" 459 18 click 1 ;;
    alt-f4) xdotool windowfocus --sync "$w" key alt+F4 ;;
  esac
  local rc
  if timeout 60 tail --pid=$pid -f /dev/null; then wait $pid; rc=$?; else rc=timeout; kill $pid; fi
  if [ "$rc" = 0 ]; then echo "ok $how: exit code 0"; else echo "FAIL $how: exit code $rc"; return 1; fi
}

run_and_close close || failures=$((failures + 1))
run_and_close alt-f4 || failures=$((failures + 1))

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
for dll in $imports; do
  case "$dll" in
    KERNEL32.DLL|USER32.DLL|GDI32.DLL|COMCTL32.DLL|ADVAPI32.DLL|MSIMG32.DLL|MSVCRT.DLL) ;;
    *) echo "FAIL imports $dll"; failures=$((failures + 1)) ;;
  esac
done
echo "imports: $imports"
echo "$((failures == 0 ? 3 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
