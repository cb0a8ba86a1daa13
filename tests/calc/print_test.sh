#!/bin/bash
# Prints for real under Wine on a virtual PDF printer (CUPS with cups-pdf) and
# reads the PDFs back: the 150-line tape page by page, the day report with its
# job name, two copies of it, a queue that rejects jobs, and no scheduler at all.
# The tests leave the texts they printed in print-test beside the test program.
# Usage: print_test.sh ZENTOLO_GUI_TESTS.EXE (run inside a display, see gui-run.sh)
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(dirname "$exe")/print-test
pdf=$work/pdf
rm -rf "$work"
mkdir -p "$work"
cd "$work"
failures=0
check() { if "$@"; then echo "ok: $*"; else echo "FAIL: $*"; failures=$((failures + 1)); fi; }

started=$("$here/scripts/cups-setup.sh" "$pdf")
# A prefix made while the scheduler runs lists its queue.
export ZENTOLO_WINEPREFIX=$work/wineprefix
run() { "$here/scripts/wine-run.sh" "$exe" --gtest_filter="$1"; }

wait_for_pdfs() {
  for _ in $(seq 300); do
    n=$(ls "$pdf"/*.pdf 2>/dev/null | wc -l)
    [ "$n" -ge "$1" ] && [ -z "$(lpstat -o PDF 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

check run 'RealPrinter.TapeOf150Lines'
check wait_for_pdfs 1
tape_pdf=$(ls "$pdf"/*.pdf | head -1)
check /usr/bin/python3 "$here/tests/calc/print_check.py" tape-expected.txt "$tape_pdf" "Zentolo - Nastro calcoli"
mkdir -p "$pdf/done" && mv "$pdf"/*.pdf "$pdf/done/"

check run 'RealPrinter.DayReportWithItsOwnJobName'
check wait_for_pdfs 1
report_pdf=$(ls "$pdf"/*.pdf | head -1)
check /usr/bin/python3 "$here/tests/calc/print_check.py" report-expected.txt "$report_pdf" "Zentolo - Verifica giorni"

mkdir -p "$pdf/done" && mv "$pdf"/*.pdf "$pdf/done/"
check run 'RealPrinter.TwoCopiesOfTheDayReport'
check wait_for_pdfs 1
copies_pdf=$(ls "$pdf"/*.pdf | head -1)
# The program prints the copies itself, each once: two pages, not four.
check test "$(pdfinfo "$copies_pdf" | sed -n 's/^Pages: *//p')" = 2
check test "$(pdftotext "$copies_pdf" - | grep -c QUADRATURA)" = 2

cupsreject PDF
check run 'RealPrinter.RejectedJobIsReported'
cupsaccept PDF

if [ "$started" = started ]; then
  pkill -x cupsd
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' || break; sleep 0.1; done
  rm -rf "$work/wineprefix"
  check timeout 120 "$here/scripts/wine-run.sh" "$exe" --gtest_filter='RealPrinter.NoPrinterNeitherCrashesNorHangs'
fi
WINEPREFIX=$ZENTOLO_WINEPREFIX "$here/scripts/wine.sh" --server -k >/dev/null 2>&1
echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
