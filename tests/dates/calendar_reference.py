#!/usr/bin/python3
"""Checks the calendar against python3-dateutil's Easter and Python's datetime.

Easter Sunday of every year 1600 to 9999 (Western method); for every STEP-th
day from 01/01/1600 to 31/12/9999 the date (proleptic Gregorian ordinal minus
719163), the weekday, and the holiday and working-day flags built here from
the holidays of each period (tests/tools/italian_holidays.py).

Usage: calendar_reference.py STEP COMMAND... (the reference_cli to run).
"""
import datetime
import subprocess
import sys

import os

from dateutil.easter import EASTER_WESTERN, easter

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from italian_holidays import holidays_of_year  # noqa: E402

EPOCH = 719163  # date(1970, 1, 1).toordinal()


def run(command, *args):
    out = subprocess.run(command + [str(a) for a in args], stdout=subprocess.PIPE, check=True).stdout
    return out.decode('ascii').replace('\r\n', '\n').split('\n')[:-1]


def main():
    step = int(sys.argv[1])
    command = sys.argv[2:]
    failures = []

    easters = {}
    lines = run(command, 'easter', 1600, 9999)
    for year, line in zip(range(1600, 10000), lines):
        e = easter(year, EASTER_WESTERN)
        easters[year] = e
        if line != '%d %d %d' % (e.year, e.month, e.day):
            failures.append('easter %d: got %s want %s' % (year, line, e))
    if len(lines) != 8400:
        failures.append('easter: %d lines' % len(lines))

    first = datetime.date(1600, 1, 1).toordinal() - EPOCH
    last = datetime.date(9999, 12, 31).toordinal() - EPOCH
    lines = run(command, 'days', first, last, step)
    expected_count = (last - first) // step + 1
    if len(lines) != expected_count:
        failures.append('days: %d lines for %d days' % (len(lines), expected_count))
    holidays = {}
    for n, line in zip(range(first, last + 1, step), lines):
        d = datetime.date.fromordinal(n + EPOCH)
        if d.year not in holidays:
            holidays[d.year] = holidays_of_year(d.year)
        holiday = d in holidays[d.year]
        working = d.weekday() < 5 and not holiday
        want = '%d %d %d %d %d %d %d' % (n, d.year, d.month, d.day, d.weekday(), holiday, working)
        if line != want:
            failures.append('day %d: got %s want %s' % (n, line, want))

    for f in failures[:20]:
        print(f)
    print('8400 Easter dates and %d days compared: %d mismatches' % (len(lines), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
