#!/usr/bin/python3
"""Checks the interest calculator against Python floats.

For a few thousand random inputs and decimal settings 0 to 6 the interest is
computed here in the same order of operations (r = T + M; I = C * r; I / 100;
I * n; I / 365) and every amount is written by italian_amounts, the
accountant's rounding done with Python's decimal module; the result line, its
second line and the formula must be the same text.

With the official rates the period is split here on its own, from tables typed
again from the published figures: every counted day gets the table row in force
(past the legal table, its year; for the reference rate, its half-year), and
runs of days with the same one make the pieces; each piece is rounded as shown
and the total is their sum.

Usage: interest_reference.py COMMAND... (the reference_cli to run).
"""
import datetime
import math
import os
import random
import subprocess
import sys
from decimal import Decimal
from fractions import Fraction

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from italian_amounts import fmt, rounded  # noqa: E402

SEED = 20261207
COUNT = 4000
TABLE_COUNT = 3000


def italian(x, d):
    """A plain Italian number text that reads back as float('%.*f')."""
    return ('%.*f' % (d, x)).replace('.', ',')


def case(rng):
    d = rng.randrange(0, 7)
    capital = italian(rng.choice([rng.uniform(0, 1e4), rng.uniform(0, 1e9), rng.uniform(0, 1e15)]),
                      rng.randrange(0, 3))
    rate = italian(rng.uniform(0, 1000) if rng.random() < 0.1 else rng.uniform(0, 15), rng.randrange(0, 4))
    surcharge = italian(rng.uniform(0, 100), rng.randrange(0, 3))
    applied = rng.random() < 0.5
    days_mode = rng.random() < 0.3
    days = str(rng.randrange(0, 100001))
    start = datetime.date(2026, 1, 1) + datetime.timedelta(days=rng.randrange(-20000, 20000))
    end = start + datetime.timedelta(days=rng.randrange(0, 800))
    return [capital, rate, surcharge, days, start.strftime('%d/%m/%Y'), end.strftime('%d/%m/%Y'),
            '1' if applied else '0', '1' if days_mode else '0', str(d)]


# Legal rate (art. 1284 c.c.), from the day given; known to the end of 2026.
LEGAL = [((1942, 4, 21), 5), ((1990, 12, 16), 10), ((1997, 1, 1), 5), ((1999, 1, 1), 2.5),
         ((2001, 1, 1), 3.5), ((2002, 1, 1), 3), ((2004, 1, 1), 2.5), ((2008, 1, 1), 3), ((2010, 1, 1), 1),
         ((2011, 1, 1), 1.5), ((2012, 1, 1), 2.5), ((2014, 1, 1), 1), ((2015, 1, 1), 0.5), ((2016, 1, 1), 0.2),
         ((2017, 1, 1), 0.1), ((2018, 1, 1), 0.3), ((2019, 1, 1), 0.8), ((2020, 1, 1), 0.05),
         ((2021, 1, 1), 0.01), ((2022, 1, 1), 1.25), ((2023, 1, 1), 5), ((2024, 1, 1), 2.5),
         ((2025, 1, 1), 2), ((2026, 1, 1), 1.6)]
# Reference rate (D.Lgs. 231/2002) per half-year, from 2002 H2 to 2026 H2.
REFERENCE = ([3.35, 2.85, 2.10, 2.02, 2.01, 2.09, 2.05, 2.25, 2.83, 3.58, 4.07, 4.20, 4.10, 2.50]
             + [1.00] * 4 + [1.25, 1.00, 1.00, 0.75, 0.50, 0.25, 0.15, 0.05, 0.05, 0.05] + [0.00] * 13
             + [2.50, 4.00, 4.50, 4.25, 3.15, 2.15, 2.15, 2.40])
D = datetime.date


def half_start(y, h):
    return D(y, 1 if h == 0 else 7, 1)


def table_rows(source):
    """The table as (first day, rate) rows, and the last day it is known to hold."""
    if source == 1:
        return [(D(*f), r) for f, r in LEGAL], D(2026, 12, 31)
    return [(half_start(2002 + (i + 1) // 2, (i + 1) % 2), r) for i, r in enumerate(REFERENCE)], D(2026, 12, 31)


FIRST_DAY, LAST_DAY = D(1942, 1, 1), D(2040, 12, 31)
DAY_KEYS = {}


def day_keys(source):
    """For every day from FIRST_DAY on, what puts it in a piece of its own:
    the row of the table in force (the legal rate), or past the table its
    year; for the reference rate its half-year, row or not. Each key comes
    with the rate of the day and whether the table holds there."""
    if source not in DAY_KEYS:
        rows, until = table_rows(source)
        keys, row, day = [], -1, FIRST_DAY
        while day <= LAST_DAY:
            while row + 1 < len(rows) and rows[row + 1][0] <= day:
                row += 1
            rate = rows[max(row, 0)][1]
            if source == 2:
                key = (day.year, day.month > 6)
            else:
                key = row if day <= until else ('past', day.year)
            keys.append((key, rate, day <= until))
            day += datetime.timedelta(1)
        DAY_KEYS[source] = keys
    return DAY_KEYS[source]


def pieces(source, start, end):
    """(from, to, rate, known) from start (not counted) to end (counted): the
    counted days walked one by one and grouped while their key stays."""
    keys = day_keys(source)
    if start >= end:
        key, rate, known = keys[(end - FIRST_DAY).days]
        return [(start, end, rate, known)]
    out = []
    first = (start - FIRST_DAY).days + 1
    last = (end - FIRST_DAY).days
    i = first
    while i <= last:
        j = i
        while j + 1 <= last and keys[j + 1][0] == keys[i][0]:
            j += 1
        _, rate, known = keys[i]
        out.append((FIRST_DAY + datetime.timedelta(i - 1), FIRST_DAY + datetime.timedelta(j), rate, known))
        i = j + 1
    return out


def period(source, p):
    f, t, r, k = p
    day = f + datetime.timedelta(1) if t > f else t
    if source == 1:
        return str(day.year)
    return ('1° semestre ' if day.month <= 6 else '2° semestre ') + str(day.year)


def expected_from_tables(f):
    capital, rate, surcharge, days, start, end, applied, days_mode, d, source = f
    d, source = int(d), int(source)
    C = float(capital.replace(',', '.'))
    M = float(surcharge.replace(',', '.')) if applied == '1' else 0.0
    if days_mode == '1':
        return 'Con i tassi da tabella servono le date.\t'
    a = datetime.datetime.strptime(start, '%d/%m/%Y').date()
    b = datetime.datetime.strptime(end, '%d/%m/%Y').date()
    if b < a:
        return 'La data finale precede quella iniziale.\t'
    if source == 2 and a < D(2002, 8, 8):
        return 'Il D.Lgs. 231/2002 vale per i contratti dal 08/08/2002.\t'
    first_table_day = D(1942, 4, 21) if source == 1 else D(2002, 7, 1)
    if (a + datetime.timedelta(1) if a < b else b) < first_table_day:
        return 'Tassi ufficiali disponibili dal %s.\t' % first_table_day.strftime('%d/%m/%Y')
    lines, total, unknown = [], 0.0, []
    for p in pieces(source, a, b):
        n = (p[1] - p[0]).days
        # Exact: the capital and the rate as the decimals typed, rounded once, half up.
        exact = Fraction(Decimal(capital.replace(',', '.'))) * (Fraction(Decimal(repr(p[2]))) + Fraction(
            Decimal(surcharge.replace(',', '.')) if applied == '1' else 0)) * n / 36500
        shown = float(Fraction(math.floor(exact * 10 ** d + Fraction(1, 2)), 10 ** d))
        total += shown
        r = '(%s%% + %s punti)' % (fmt(p[2], 2), fmt(M, 2)) if applied == '1' else '%s%%' % fmt(p[2], 2)
        first = p[0] + datetime.timedelta(1) if p[1] > p[0] else p[0]
        lines.append('%s – %s: %s × %s × %d / 365 = %s €' % (first.strftime('%d/%m/%Y'), p[1].strftime('%d/%m/%Y'),
                                                            fmt(C, d), r, n, fmt(shown, d)))
        if not p[3]:
            unknown.append(p)
    lines.append('Totale: %s €' % fmt(total, d))
    line = 'Interessi: %s €    |    Capitale + interessi: %s €' % (fmt(total, d), fmt(C + total, d))
    if unknown:
        first, last = period(source, unknown[0]), period(source, unknown[-1])
        periods = ('Tasso ' + first if first == last else
                   'Tassi %s–%s' % (first, last) if source == 1 else 'Tassi dal %s al %s' % (first, last))
        note = '%s non in tabella: usato %s%% (ultimo noto).' % (periods, fmt(unknown[0][2], 2))
        line += '|' + note
        lines.append(note)
    if source == 2 and applied != '1':
        line += '|Senza maggiorazione: solo tasso di riferimento BCE (D.Lgs. 231/2002: + 8 punti).'
    if source == 1 and applied == '1':
        line += '|Tasso legale maggiorato di %s punti: verifica che la maggiorazione sia dovuta.' % fmt(M, 2)
    return line + '\t' + '|'.join(lines)


def table_case(rng):
    f = case(rng)
    start = datetime.date(1942, 1, 1) + datetime.timedelta(days=rng.randrange(0, 31500))
    end = start + datetime.timedelta(days=rng.randrange(-5, 3000))
    f[4], f[5] = start.strftime('%d/%m/%Y'), end.strftime('%d/%m/%Y')
    f[0] = italian(rng.uniform(0, 1e7), rng.randrange(0, 3))
    f[2] = rng.choice(['7', '8', italian(rng.uniform(0, 100), 2)])
    f[7] = '1' if rng.random() < 0.02 else '0'
    return f + [str(rng.choice([1, 2]))]


def expected(f):
    if len(f) == 10:
        return expected_from_tables(f)
    capital, rate, surcharge, days, start, end, applied, days_mode, d = f
    d = int(d)
    C = float(capital.replace(',', '.'))
    T = float(rate.replace(',', '.'))
    M = float(surcharge.replace(',', '.')) if applied == '1' else 0.0
    if days_mode == '1':
        n = int(days)
        several = False
    else:
        a = datetime.datetime.strptime(start, '%d/%m/%Y').date()
        b = datetime.datetime.strptime(end, '%d/%m/%Y').date()
        n = (b - a).days
        several = a.year != b.year or (a.month - 1) // 6 != (b.month - 1) // 6
    r = T + M
    I = C * r
    I = I / 100
    I = I * float(n)
    I = I / 365
    A = C + I
    line = 'Interessi: %s €    |    Capitale + interessi: %s €' % (fmt(I, d), fmt(A, d))
    s = ' + %s punti' % fmt(M, 2) if applied == '1' else ''
    w = ''
    if applied == '1':
        w = ('|ATTENZIONE: periodo su più semestri. Dividere il calcolo per i tassi vigenti.' if several
             else '|Tasso complessivo inserito: %s%% (verificare tasso MEF del semestre).' % fmt(T + M, 2))
    formula = '%s × (%s%%%s) × %d / 365 = %s €%s' % (fmt(C, d), fmt(T, 2), s, n, fmt(I, d), w)
    if several:
        line += '|Periodo su più semestri: i tassi ufficiali possono cambiare.'
    return line + '\t' + formula


def main():
    command = sys.argv[1:]
    rng = random.Random(SEED)
    cases = [case(rng) for _ in range(COUNT)] + [table_case(rng) for _ in range(TABLE_COUNT)]
    data = ''.join('\t'.join(f) + '\n' for f in cases).encode('utf-8')
    out = subprocess.run(command + ['interest'], input=data, stdout=subprocess.PIPE, check=True).stdout
    got = out.decode('utf-8').replace('\r\n', '\n').split('\n')[:-1]
    failures = []
    if len(got) != len(cases):
        failures.append('%d lines for %d inputs' % (len(got), len(cases)))
    for f, line in zip(cases, got):
        want = expected(f)
        if line != want:
            failures.append('%s:\n  got  %s\n  want %s' % (' '.join(f), line, want))
    for x in failures[:10]:
        print(x)
    print('%d interest calculations compared, %d of them at the official rates: %d mismatches'
          % (len(cases), TABLE_COUNT, len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
