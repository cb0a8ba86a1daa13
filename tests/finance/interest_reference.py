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

The claim ledger is checked the same way: random claims of sums and
payments, at a typed rate, the legal or the reference rate, with or without a
lawsuit and a revaluation, worked out here from the rules (pieces cut day by
day, payments to interest then capital, oldest first, the advance kept, the
FOI coefficient never below 1); the whole prospect must be the same text.
With revaluation each sum keeps its own base month: a day bears interest on
the base capital revalued to the December of its year (in the last year, to
the month of Al), a payment worth x of a capital worth R in its month leaves
(R - x) / R of the base, kept as an exact fraction.

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


def pct(x):
    """A rate with two places, or its own (of its 15 significant digits) when it has more."""
    x = Decimal('%.15g' % x) if isinstance(x, float) else Decimal(x)
    return fmt(x, max(2, -x.normalize().as_tuple().exponent))


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
    s = ' + %s punti' % pct(M) if applied == '1' else ''
    w = ''
    if applied == '1':
        w = ('|ATTENZIONE: periodo su più semestri. Dividere il calcolo per i tassi vigenti.' if several
             else '|Tasso complessivo inserito: %s%% (verificare tasso MEF del semestre).' % pct(T + M))
    formula = '%s × (%s%%%s) × %d / 365 = %s €%s' % (fmt(C, d), pct(T), s, n, fmt(I, d), w)
    if several:
        line += '|Periodo su più semestri: i tassi ufficiali possono cambiare.'
    return line + '\t' + formula


# ---- The claim ledger

LEDGER_COUNT = 600
# FOI index as ISTAT publishes it, base 2015=100 to 2025 and 2025=100 from
# 2026 (linked by 1,214).
FOI = {
    2016: [99.7, 99.5, 99.6, 99.6, 99.7, 99.9, 100.0, 100.2, 100.0, 100.0, 100.0, 100.3],
    2017: [100.6, 101.0, 101.0, 101.3, 101.1, 101.0, 101.0, 101.4, 101.1, 100.9, 100.8, 101.1],
    2018: [101.5, 101.5, 101.7, 101.7, 102.0, 102.2, 102.5, 102.9, 102.4, 102.4, 102.2, 102.1],
    2019: [102.2, 102.3, 102.5, 102.6, 102.7, 102.7, 102.7, 103.2, 102.5, 102.4, 102.3, 102.5],
    2020: [102.7, 102.5, 102.6, 102.5, 102.3, 102.4, 102.3, 102.5, 101.9, 102.0, 102.0, 102.3],
    2021: [102.9, 103.0, 103.3, 103.7, 103.6, 103.8, 104.2, 104.7, 104.5, 105.1, 105.7, 106.2],
    2022: [107.7, 108.8, 109.9, 109.7, 110.6, 111.9, 112.3, 113.2, 113.5, 117.2, 117.9, 118.2],
    2023: [118.3, 118.5, 118.0, 118.4, 118.6, 118.6, 118.7, 119.1, 119.3, 119.2, 118.7, 118.9],
    2024: [119.3, 119.3, 119.4, 119.3, 119.5, 119.5, 120.0, 120.1, 120.0, 120.1, 120.1, 120.2],
    2025: [120.9, 121.1, 121.4, 121.3, 121.2, 121.3, 121.8, 121.8, 121.7, 121.4, 121.3, 121.5],
    2026: [100.4, 100.9, 101.5, 102.5, 102.8, 102.8, 103.1, 103.7],
}
MONTHS = ['gen', 'feb', 'mar', 'apr', 'mag', 'giu', 'lug', 'ago', 'set', 'ott', 'nov', 'dic']


def coefficient(a, b):
    """From month a to month b, to 3 decimals, half up."""
    r = Fraction(Decimal(str(FOI[b[0]][b[1] - 1]))) / Fraction(Decimal(str(FOI[a[0]][a[1] - 1])))
    if a < (2026, 1) <= b:
        r *= Fraction(Decimal('1.214'))
    return Fraction(math.floor(r * 1000 + Fraction(1, 2)), 1000)


def half_up(x, d):
    return Fraction(math.floor(Fraction(x) * 10 ** d + Fraction(1, 2)), 10 ** d)


def dec(x):
    return Decimal(x.numerator) / Decimal(x.denominator)


def ledger_case(rng):
    d = rng.choice([2, 2, 2, 0, 3])
    source = rng.choice([0, 1, 2])
    revaluation = rng.random() < 0.4
    first = D(2016, 1, 1) if revaluation else D(2003, 1, 1)
    last = D(2026, 8, 31) if revaluation else D(2026, 12, 31)
    al = first + datetime.timedelta(rng.randrange(30, (last - first).days))
    start = max(first, al - datetime.timedelta(rng.randrange(10, 3000)))
    days = sorted(start + datetime.timedelta(rng.randrange(0, (al - start).days + 1)) for _ in range(rng.randrange(1, 8)))
    moves = []
    for i, day in enumerate(days):
        amount = Decimal(rng.randrange(1, 2000000)) / 100
        if rng.random() < 0.2:
            amount = Decimal(rng.randrange(1, 200000)) / 1000
        payment = i > 0 and rng.random() < 0.4
        text = rng.choice(['', '', 'rata', 'affitto marzo', 'spese decreto', 'Spese legali'])
        moves.append((day, -amount if payment else amount, text))
    rng.shuffle(moves)
    lawsuit = ''
    if rng.random() < 0.3 and al > D(2014, 12, 12):
        low = max(D(2014, 12, 11), start)
        if low < al:
            lawsuit = (low + datetime.timedelta(rng.randrange(0, (al - low).days))).strftime('%d/%m/%Y')
    lines = []
    for day, amount, text in moves:
        a = fmt(amount, 3 if amount != round(amount, 2) else 2)
        form = rng.randrange(3)
        if form == 0:
            lines.append('%s %s %s' % (day.strftime('%d/%m/%Y'), a, text))
        elif form == 1:
            lines.append('%s;%s;%s' % (day.strftime('%d/%m/%Y'), a, text))
        else:
            lines.append('%s  € %s  %s' % (day.strftime('%d/%m/%Y'), a, text))
    if rng.random() < 0.1:
        lines.insert(0, rng.choice(['Data;Importo;Descrizione', 'Data  Importo']))
    rate = italian(rng.uniform(0, 12), rng.choice([2, 2, 3]))
    applied = rng.random() < 0.4
    surcharge = rng.choice(['8', '7', italian(rng.uniform(0, 10), 2)])
    return ['|'.join(lines), str(source), rate, surcharge, '1' if applied else '0', al.strftime('%d/%m/%Y'), lawsuit,
            '1' if revaluation else '0', str(d), '1' if rng.random() < 0.3 else '0', '1' if rng.random() < 0.5 else '0']


def ledger_expected(f):
    movements, source, rate, surcharge, applied, al, lawsuit, revaluation, d, compensation, capital_first = f
    source, applied, revaluation, d = int(source), applied == '1', revaluation == '1', int(d)
    compensation, capital_first = compensation == '1', capital_first == '1' and revaluation
    al = datetime.datetime.strptime(al, '%d/%m/%Y').date()
    suit = datetime.datetime.strptime(lawsuit, '%d/%m/%Y').date() if lawsuit else None
    T = Decimal(rate.replace(',', '.'))
    M = Decimal(surcharge.replace(',', '.')) if applied else Decimal(0)
    entries = []
    for n, line in enumerate(movements.split('|')):
        if n == 0 and not any(c.isdigit() for c in line):
            continue  # a heading
        cells = line.split(';') if ';' in line else None
        if cells is None:
            words = line.split()
            day = words[0]
            amount = words[2] if words[1] == '€' else words[1]
            text = ' '.join(words[3:] if words[1] == '€' else words[2:])
        else:
            day, amount, text = cells
        value = Decimal(amount.replace('.', '').replace(',', '.'))
        if half_up(Fraction(abs(value)), d) == 0:
            return 'Riga %d: importo zero.' % (n + 1)
        entries.append((datetime.datetime.strptime(day, '%d/%m/%Y').date(), value < 0, n, value, text.strip()))
    entries.sort(key=lambda e: (e[0], e[1], e[2]))
    is_cost = lambda e: not e[1] and e[4].split(' ')[0].lower() == 'spese'
    with_costs = any(is_cost(e) or (compensation and not e[1]) for e in entries)
    first_sum = min((e[0] for e in entries if not e[1]), default=None)
    early = [e for e in entries if e[1] and (first_sum is None or e[0] < first_sum)]
    if early:
        return 'Riga %d: pagamento prima del primo credito.' % (min(e[2] for e in early) + 1)
    if source == 2 and min((e[0] for e in entries if not e[1] and not is_cost(e)), default=al) < D(2002, 8, 8):
        return 'Il D.Lgs. 231/2002 vale per i contratti dal 08/08/2002.'

    out = ['CONTEGGIO DEL CREDITO al ' + al.strftime('%d/%m/%Y')]
    if source == 0:
        out.append('Tasso: inserito %s%%' % pct(T) + (' + maggiorazione %s punti' % pct(M) if applied else ''))
    elif source == 1:
        out.append('Tasso: legale (art. 1284 c.c.)' + (' + maggiorazione %s punti' % pct(M) if applied else ''))
        if applied:
            out.append('Tasso legale maggiorato di %s punti: verifica che la maggiorazione sia dovuta.' % fmt(M, 2))
    else:
        out.append('Tasso: riferimento BCE%s (D.Lgs. 231/2002)' % (' + %s punti' % pct(M) if applied else ''))
        if not applied:
            out.append('Senza maggiorazione: solo tasso di riferimento BCE (D.Lgs. 231/2002: + 8 punti).')
    if suit:
        out.append('Dal %s: riferimento BCE + 8 punti (art. 1284 c. 4 c.c., domanda del %s)'
                   % ((suit + datetime.timedelta(1)).strftime('%d/%m/%Y'), suit.strftime('%d/%m/%Y')))
    if revaluation:
        out.append('Rivalutazione: ISTAT FOI, mai sotto il valore nominale (art. 1277 c.c.)')
    if any(e[1] for e in entries) and capital_first:
        out.append('Acconti imputati prima %sal capitale rivalutato, poi agli interessi (debito di valore)'
                   % ('alle spese, poi ' if with_costs else ''))
    elif any(e[1] for e in entries):
        out.append('Acconti imputati prima alle spese e agli interessi, poi al capitale (art. 1194 c.c.)' if with_costs
                   else 'Acconti imputati prima agli interessi, poi al capitale (art. 1194 c.c.)')
    out.append('')

    sums = []  # dicts: n, capital (the base, exact), month (the base month), accrued, due
    costs = []  # what is due of each cost, oldest first
    floored = set()
    state = {'advance': Fraction(0), 'spese': 0}

    def factor(s, month):
        k = coefficient(s['month'], month)
        if k < 1:
            floored.add(s['n'])
        return max(k, Fraction(1))

    def rate_of(day, in_suit):
        """(key, table rate, points, with points) of a counted day."""
        if in_suit:
            key, r, _ = day_keys(2)[(day - FIRST_DAY).days]
            return ('suit', key), r, Decimal(8), True
        if source == 0:
            return ('typed',), T, M, applied
        key, r, _ = day_keys(source)[(day - FIRST_DAY).days]
        return (source, key), r, M, applied

    def accrue(s, to):
        a, s['accrued'] = s['accrued'], max(s['accrued'], to)
        if a >= to or s['capital'] <= 0:
            return
        day, run = a + datetime.timedelta(1), None
        pieces = []
        while day <= to:
            in_suit = suit is not None and day > suit
            key, r, points, withp = rate_of(day, in_suit)
            full = (key, in_suit, day.year if revaluation else 0)
            if run and run[0] == full:
                run[2] = day
            else:
                run = [full, day, day, r, points, withp]
                pieces.append(run)
            day += datetime.timedelta(1)
        for _, f, t, r, points, withp in pieces:
            capital = s['capital']
            if revaluation:
                month = (t.year, 12) if t.year < al.year else (al.year, al.month)
                capital = half_up(capital * factor(s, month), d)
            n = (t - f).days + 1
            interest = half_up(capital * (Fraction(Decimal(repr(float(r)))) + Fraction(points)) * n / 36500, d)
            s['due'] += interest
            rt = ('(%s%% + %s punti)' % (pct(Decimal(repr(float(r)))), pct(points)) if withp
                  else '%s%%' % pct(Decimal(repr(float(r)))))
            out.append('n. %d  %s – %s: %s × %s × %d / 365 = %s €' % (
                s['n'], f.strftime('%d/%m/%Y'), t.strftime('%d/%m/%Y'), fmt(dec(capital), d), rt, n,
                fmt(dec(interest), d)))

    def worth(s, month):
        """What a sum's base capital is worth in a month, as the prospect shows it."""
        if not revaluation:
            return s['capital']
        if not s['month'] < month:
            return half_up(s['capital'], d)
        k = factor(s, month)
        new = half_up(s['capital'] * k, d)
        out.append('n. %d  rivalutato a %s %d: %s × %s = %s €' % (
            s['n'], MONTHS[month[1] - 1], month[0], fmt(dec(half_up(s['capital'], d)), d), fmt(dec(k), 3),
            fmt(dec(new), d)))
        return new

    def pay(day, amount, head, text):
        for s in sums:
            accrue(s, day)
        left, to_costs, to_interest, to_capital = amount, Fraction(0), Fraction(0), Fraction(0)
        for i, due in enumerate(costs):
            part = min(left, due)
            costs[i] -= part
            to_costs += part
            left -= part
        def to_due(left, to_interest):
            for s in sums:
                part = min(left, s['due'])
                s['due'] -= part
                to_interest += part
                left -= part
            return left, to_interest
        if not capital_first:
            left, to_interest = to_due(left, to_interest)
        for s in sums:
            if left <= 0:
                break
            if s['capital'] <= 0:
                continue
            r = worth(s, (day.year, day.month))
            part = min(left, r)
            s['capital'] = s['capital'] * (r - part) / r
            to_capital += part
            left -= part
        if capital_first:
            left, to_interest = to_due(left, to_interest)
        state['advance'] += left
        out.append('%s%s € → %sinteressi %s €, capitale %s €%s%s' % (
            head, fmt(dec(amount), d), 'spese %s €, ' % fmt(dec(to_costs), d) if with_costs else '', fmt(dec(to_interest), d), fmt(dec(to_capital), d),
            ', eccedenza %s €' % fmt(dec(left), d) if left > 0 else '', ' (%s)' % text if text else ''))

    for day, payment, _, value, text in entries:
        amount = half_up(Fraction(abs(value)), d)
        if payment:
            pay(day, amount, 'Acconto del %s: ' % day.strftime('%d/%m/%Y'), text)
            continue
        if is_cost((day, payment, 0, value, text)):
            costs.append(amount)
            state['spese'] += 1
            out.append('Spese n. %d del %s: %s €%s' % (state['spese'], day.strftime('%d/%m/%Y'), fmt(dec(amount), d),
                                                      ' (%s)' % text if text else ''))
        else:
            s = {'n': len(sums) + 1, 'capital': amount, 'month': (day.year, day.month), 'accrued': day, 'due': Fraction(0)}
            sums.append(s)
            out.append('Credito n. %d del %s: %s €%s' % (s['n'], day.strftime('%d/%m/%Y'), fmt(dec(amount), d),
                                                        ' (%s)' % text if text else ''))
            if compensation:
                costs.append(Fraction(40))
                out.append('Indennizzo n. %d del %s: %s € (art. 6 c. 2 D.Lgs. 231/2002)' % (
                    s['n'], day.strftime('%d/%m/%Y'), fmt(dec(Fraction(40)), d)))
        if state['advance'] > 0:
            advance, state['advance'] = state['advance'], Fraction(0)
            pay(day, advance, 'Eccedenza imputata il %s: ' % day.strftime('%d/%m/%Y'), '')
    for s in sums:
        accrue(s, al)
    capital = sum((worth(s, (al.year, al.month)) for s in sums if s['capital'] > 0), Fraction(0))
    interest = sum((s['due'] for s in sums), Fraction(0))
    unpaid = sum(costs, Fraction(0))
    out += ['', ('Capitale rivalutato: %s €' if revaluation else 'Capitale: %s €') % fmt(dec(capital), d)]
    out += ['Spese: %s €' % fmt(dec(unpaid), d)] if with_costs else []
    out += ['Interessi: %s €' % fmt(dec(interest), d),
            'TOTALE DOVUTO al %s: %s €' % (al.strftime('%d/%m/%Y'), fmt(dec(capital + unpaid + interest), d))]
    if state['advance'] > 0:
        out.append('Eccedenza: %s €' % fmt(dec(state['advance']), d))
    if floored:
        numbers = ', '.join(str(n) for n in sorted(floored))
        out.append('Indice FOI in calo: il credito n. %s resta al valore nominale (art. 1277 c.c.).' % numbers
                   if len(floored) == 1 else
                   'Indice FOI in calo: i crediti n. %s restano al valore nominale (art. 1277 c.c.).' % numbers)
    return '|'.join(out)


def compare(command, mode, cases, expected):
    data = ''.join('\t'.join(f) + '\n' for f in cases).encode('utf-8')
    out = subprocess.run(command + [mode], input=data, stdout=subprocess.PIPE, check=True).stdout
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
    return failures


def main():
    command = sys.argv[1:]
    rng = random.Random(SEED)
    cases = [case(rng) for _ in range(COUNT)] + [table_case(rng) for _ in range(TABLE_COUNT)]
    failures = compare(command, 'interest', cases, expected)
    print('%d interest calculations compared, %d of them at the official rates: %d mismatches'
          % (len(cases), TABLE_COUNT, len(failures)))
    claims = [ledger_case(rng) for _ in range(LEDGER_COUNT)]
    ledger_failures = compare(command, 'ledger', claims, ledger_expected)
    print('%d claims compared: %d mismatches' % (len(claims), len(ledger_failures)))
    sys.exit(1 if failures or ledger_failures else 0)


if __name__ == '__main__':
    main()
