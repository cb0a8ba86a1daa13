#!/bin/bash
# Wine's 64-bit loader, or with --server first its server: Debian's wine64
# package installs both outside PATH.
if [ "${1:-}" = --server ]; then
  shift
  for s in /usr/lib/wine/wineserver "$(command -v wineserver || true)"; do
    [ -n "$s" ] && [ -x "$s" ] && exec "$s" "$@"
  done
  exit 127
fi
for w in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  [ -n "$w" ] && [ -x "$w" ] && exec "$w" "$@"
done
echo "wine.sh: no Wine found" >&2
exit 127
