#!/bin/bash
# Prepares a Wine prefix once: boots it, keeps Wine's X driver from managing
# windows (without a window manager each closed window would cost seconds) and
# maps the fonts the program asks for to close free ones. Then makes sure the
# prefix's server runs, detached from the caller's output: a server or Wine
# service that inherits a test's output pipe keeps the test runner waiting
# until it exits, and one that inherits the lock keeps the next caller waiting.
set -euo pipefail
prefix=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine() { "$here/wine.sh" "$@" </dev/null >/dev/null 2>&1 9>&-; }
if [ ! -f "$prefix/.zentolo-ready" ]; then
  wine wineboot -i
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /t REG_SZ /d 'DejaVu Sans Condensed' /f
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Consolas' /t REG_SZ /d 'DejaVu Sans Mono' /f
  # A display scale other than 100 % (ZENTOLO_DPI=144 is 150 %), for the whole prefix.
  if [ -n "${ZENTOLO_DPI:-}" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ZENTOLO_DPI" /f
    "$here/wine.sh" --server -w </dev/null >/dev/null 2>&1 9>&- || true
  fi
  touch "$prefix/.zentolo-ready"
fi
# Stays up a minute after its last program: a cold start costs seconds.
if "$here/wine.sh" --server -p60 </dev/null >/dev/null 2>&1 9>&-; then
  wine cmd /c exit || true  # starts the prefix's services, also detached
fi
exit 0
