#!/usr/bin/python3
"""Checks the date calculator's counts against NumPy's busday_count.

For a few thousand random ranges (up to 149,999 days, years 1600 to 9999,
with and without the start day) the working days come from
numpy.busday_count with a Monday-to-Friday week and the holidays of each
period (tests/tools/italian_holidays.py); the holidays are counted in
that list. The result line must be the same text. For every twentieth range
the day report's QUADRATURA line must give the same working days, the
weekend days (busday_count with a Saturday-Sunday week) and the holidays on
weekdays.

Usage: date_counts_reference.py COMMAND... (the reference_cli to run).
"""
import datetime
import os
import random
import subprocess
import sys

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from italian_holidays import holidays_of_year  # noqa: E402

SEED = 20261207
COUNT = 4000


def holiday_list():
    days = set()
    for year in range(1600, 10000):
        days |= holidays_of_year(year)
    return np.array(sorted(days), dtype='datetime64[D]')


def main():
    command = sys.argv[1:]
    rng = random.Random(SEED)
    first = datetime.date(1600, 1, 1).toordinal()
    last = datetime.date(9999, 12, 31).toordinal()
    cases = []
    for i in range(COUNT):
        span = rng.choice([rng.randrange(0, 400), rng.randrange(0, 150000), 149999, 0])
        start = rng.randrange(first, last - span + 1)
        cases.append((start, start + span, i % 2 == 1))

    holidays = holiday_list()
    calendar = np.busdaycalendar(weekmask='1111100', holidays=holidays)
    begin = np.array([datetime.date.fromordinal(s + (0 if inc else 1)) for s, _, inc in cases],
                     dtype='datetime64[D]')
    end = np.array([datetime.date.fromordinal(e + 1) for _, e, _ in cases], dtype='datetime64[D]')
    working = np.busday_count(begin, end, busdaycal=calendar)
    feste = np.searchsorted(holidays, end) - np.searchsorted(holidays, begin)

    fmt = lambda o: datetime.date.fromordinal(o).strftime('%d/%m/%Y')
    lines = ['%s\t%s\t%d' % (fmt(s), fmt(e), inc) for s, e, inc in cases]
    data = ''.join(l + '\n' for l in lines).encode()
    out = subprocess.run(command + ['count'], input=data, stdout=subprocess.PIPE, check=True).stdout
    got = out.decode('utf-8').replace('\r\n', '\n').split('\n')[:-1]

    failures = []
    if len(got) != len(cases):
        failures.append('%d lines for %d ranges' % (len(got), len(cases)))
    for (s, e, inc), w, h, line, text in zip(cases, working, feste, got, lines):
        want = 'Giorni: %d  |  lavorativi: %d  |  feste: %d' % (e - s + inc, max(w, 0), max(h, 0))
        if line != want:
            failures.append('%s: got %s want %s' % (text.replace('\t', ' '), line, want))
    sample = [i for i in range(len(cases)) if i % 20 == 0]
    weekend = np.busday_count(begin[sample], end[sample], weekmask='0000011')
    weekday_holidays = [int(np.is_busday(holidays[np.searchsorted(holidays, begin[i]):
                                                  np.searchsorted(holidays, end[i])],
                                         weekmask='1111100').sum()) for i in sample]
    data = ''.join(lines[i] + '\n' for i in sample).encode()
    out = subprocess.run(command + ['report'], input=data, stdout=subprocess.PIPE, check=True).stdout
    got = out.decode('utf-8').replace('\r\n', '\n').split('\n')[:-1]
    if len(got) != len(sample):
        failures.append('report: %d lines for %d ranges' % (len(got), len(sample)))
    for i, s, h, line in zip(sample, weekend, weekday_holidays, got):
        start, stop, inc = cases[i]
        total = stop - start + inc
        want = 'QUADRATURA: %d + %d + %d = %d' % (working[i], s, h, total)
        if line != want:
            failures.append('report %s: got %s want %s' % (lines[i].replace('\t', ' '), line, want))

    for f in failures[:20]:
        print(f)
    print('%d ranges compared with numpy.busday_count, %d day reports: %d mismatches'
          % (len(cases), len(sample), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
