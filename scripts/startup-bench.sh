#!/bin/bash
# The start-up benchmark under Wine in a virtual display: Zentolo against the
# least window, side by side, and where Zentolo's start-up goes.
# Usage: startup-bench.sh BUILD_DIR [ROUNDS] [STARTS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$1" && pwd)
win() { echo "Z:$(echo "$1" | tr / '\\')"; }
exec "$here/gui-run.sh" "$build/bench/startup_bench.exe" "$(win "$build/zentolo.exe")" \
  "$(win "$build/bench/least_window.exe")" "$(win "$build/bench/zentolo_traced.exe")" \
  "$(win "$build/bench/least_window_20.exe")" "${2:-3}" "${3:-5}"
