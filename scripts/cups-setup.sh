#!/bin/bash
# Makes a virtual PDF printer the default one for the printing tests: CUPS
# with the cups-pdf backend writing into OUTDIR. Starts the scheduler when it
# does not run (there is no service manager here) and prints "started" then,
# so that the caller can stop it again.
# Usage: cups-setup.sh OUTDIR
set -euo pipefail
out=$1
mkdir -p "$out"
chmod 1777 "$out"
printf 'Out %s\nGrp lpadmin\nUserUMask 0022\n' "$out" > /etc/cups/cups-pdf.conf

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
  for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
  echo started
fi
lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
  -o printer-is-shared=no -o PageSize=A4 >/dev/null 2>&1
cupsenable PDF
cupsaccept PDF
lpadmin -d PDF
