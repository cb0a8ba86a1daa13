#!/usr/bin/python3
"""Checks the interest calculator against Python floats.

For a few thousand random inputs and decimal settings 0 to 6 the interest is
computed here in the same order of operations (r = T + M; I = C * r; I / 100;
I * n; I / 365) and every amount is written by italian_amounts, the
accountant's rounding done with Python's decimal module; the result line and
the formula must be the same text.

Usage: interest_reference.py COMMAND... (the reference_cli to run).
"""
import datetime
import os
import random
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from italian_amounts import fmt  # noqa: E402

SEED = 20261207
COUNT = 4000


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


def expected(f):
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
    return line + '\t' + formula


def main():
    command = sys.argv[1:]
    rng = random.Random(SEED)
    cases = [case(rng) for _ in range(COUNT)]
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
    print('%d interest calculations compared: %d mismatches' % (len(cases), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
