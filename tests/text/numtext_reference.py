#!/usr/bin/python3
"""Checks number text against Python's decimal module and correct conversions.

Formatting: the accountant's rounding of italian_amounts (decimals 0 to 6) on
15 significant digits, and the E form from 10^21, computed with decimal, for
doubles spread over 1e-7 to 1e308, for exact and inexact ties and for amounts
in cents. VAT keys: the tape line of
"+ IVA", "- IVA" and "Solo IVA" at 4, 5, 10 and 22 % on random amounts, the
results computed here in doubles in the program's order; for amounts in cents
below 10^10 the cent shown must also be the exact decimal result rounded half
up, the cent a spreadsheet's ROUND gives. Parsing: Italian texts must read as
the nearest double, which Python's float() gives, the E form included; E
forms that are not numbers must fail.

Usage: numtext_reference.py COMMAND... (the reference_cli to run, with any
emulator in front of it). A fixed seed makes every run check the same values.
"""
import os
import random
import struct
import subprocess
import sys
from decimal import Decimal, Context, ROUND_HALF_UP

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from italian_amounts import fifteen, fmt, italian, rounded  # noqa: E402

SEED = 20261207
COUNT = 100_000
VAT_COUNT = 300_000
VAT_RATES = [4.0, 5.0, 10.0, 22.0]
EXACT = Context(prec=60)


def bits(x):
    return struct.pack('>d', x).hex()


def from_bits(h):
    return struct.unpack('>d', bytes.fromhex(h))[0]


def italian_fixed(x, d):
    return fmt(x, d)


def italian_plain(x):
    """What a result used again is written as: shown with 2 decimals, no points."""
    return fmt(x, 2).replace('.', '')


def sample_doubles(rng):
    values = []
    for _ in range(COUNT * 6 // 10):
        x = 10.0 ** rng.uniform(-7.0, 22.0 if rng.random() < 0.9 else 308.0)
        values.append(-x if rng.random() < 0.3 else x)
    # Exact ties: m / 2^(d+1) with m odd lies exactly halfway for d decimals.
    for _ in range(COUNT * 2 // 10):
        d = rng.randrange(0, 7)
        m = rng.randrange(1, 1 << rng.randrange(2, 53)) | 1
        x = m / 2.0 ** (d + 1)
        values.append(-x if rng.random() < 0.3 else x)
    # Ties that binary cannot hold: k + 5 / 10^(d+1), stored a hair off.
    for _ in range(COUNT * 2 // 10):
        d = rng.randrange(0, 7)
        x = float('%d.%s5' % (rng.randrange(0, 10 ** rng.randrange(1, 13)),
                              ''.join(rng.choice('0123456789') for _ in range(d))))
        values.append(-x if rng.random() < 0.3 else x)
    # Amounts in cents and their neighbours, and values near the rounding-to-zero bound.
    for _ in range(COUNT * 2 // 10):
        kind = rng.randrange(4)
        if kind == 0:
            x = rng.randrange(-10**13, 10**13) / 100.0
        elif kind == 1:
            x = rng.randrange(-10**9, 10**9) / 1000.0
            x = x + (x * 2.0 ** -52 if rng.random() < 0.5 else -x * 2.0 ** -52)
        elif kind == 2:
            d = rng.randrange(0, 7)
            x = 0.5 * 10.0 ** -d * rng.choice([1.0, 1 - 2.0 ** -53, 1 + 2.0 ** -52, -1.0])
        else:
            x = float(rng.randrange(-10**6, 10**6))
        values.append(x)
    return values


def sample_texts(rng):
    """Texts with their expected values (None: must fail)."""
    cases = []
    for _ in range(COUNT // 2):
        # A long expansion, comma as the decimal separator, up to 40 digits.
        n = rng.randrange(1, 41)
        digits = ''.join(rng.choice('0123456789') for _ in range(n))
        cut = rng.randrange(0, n + 1)
        text = digits[:cut] + ',' + digits[cut:]
        cases.append((text, float(digits[:cut] + '.' + digits[cut:])))
    for _ in range(COUNT // 2):
        # What the program itself writes, read back.
        x = 10.0 ** rng.uniform(-6.0, 18.0)
        d = rng.randrange(0, 7)
        text = italian_fixed(x, d)
        cases.append((text, float(text.replace('.', '').replace(',', '.'))))
    for _ in range(COUNT // 5):
        # The E form, as the program writes it and as it may be typed.
        x = 10.0 ** rng.uniform(21.0, 308.0)
        text = fmt(-x if rng.random() < 0.3 else x, 2)
        cases.append((text, float(text.replace(',', '.'))))
        mantissa = '%d,%d' % (rng.randrange(1, 10), rng.randrange(0, 10 ** 6))
        text = mantissa + rng.choice('Ee') + rng.choice(['', '+', '-']) + str(rng.randrange(0, 300))
        cases.append((text, float(text.replace(',', '.'))))
    for text in ['1E', 'E+5', '1E+400', '1e+', '1,5E', '1E-400', 'e5', '1E+2,5', '1 E+5']:
        cases.append((text, None))
    return cases


def vat_cases(rng):
    """(kind, rate, operand, decimals) for the VAT keys."""
    cases = []
    for _ in range(VAT_COUNT):
        kind = rng.randrange(1, 4)
        rate = rng.choice(VAT_RATES)
        size = rng.random()
        if size < 0.6:
            operand = rng.randrange(1, 100_001) / 100.0       # 0,01 to 1.000,00
        elif size < 0.9:
            operand = rng.randrange(1, 10 ** 12) / 100.0      # up to 10^10
        else:
            operand = float('%d.%03d' % (rng.randrange(0, 10 ** 9), rng.randrange(1000)))
        decimals = 2 if rng.random() < 0.8 else rng.randrange(0, 7)
        cases.append((kind, rate, operand, decimals))
    return cases


def vat_result(kind, r, a):
    if kind == 1:
        return r * a / 100 + a
    if kind == 2:
        return a / (1 + r / 100)
    return r * a / 100


def vat_line(kind, r, a, d):
    prefix = {1: '+IVA ', 2: 'Scorporo ', 3: 'Solo IVA '}[kind]
    result = vat_result(kind, r, a)
    # A typed operand with more places than the setting keeps its own (at most 20).
    own = min(20, max(0, -fifteen(a).normalize().as_tuple().exponent)) if a else 0
    line = '%s%s%% su %s = %s' % (prefix, fmt(r, 2), fmt(a, max(d, own)), fmt(result, d))
    if kind == 2:
        # The VAT taken out: the gross as shown less the net as shown, in decimal.
        line += ' (IVA %s)' % italian(rounded(a, d) - rounded(result, d), d)
    return line


def accountant_cents(kind, r, a):
    """The exact decimal result, rounded to the cent, halves up."""
    a, r = Decimal(repr(a)), Decimal(repr(r))
    exact = {1: a + a * r / 100, 2: EXACT.divide(a, 1 + r / 100), 3: a * r / 100}[kind]
    q = exact.quantize(Decimal('0.01'), rounding=ROUND_HALF_UP, context=EXACT)
    return '%s' % fmt(float(q), 2)


def run(command, mode, lines):
    data = ''.join(line + '\n' for line in lines).encode('utf-8')
    out = subprocess.run(command + [mode], input=data, stdout=subprocess.PIPE, check=True).stdout
    return out.decode('utf-8').replace('\r\n', '\n').split('\n')[:-1]


def main():
    command = sys.argv[1:]
    rng = random.Random(SEED)
    failures = []

    values = sample_doubles(rng)
    got = run(command, 'format', [bits(v) for v in values])
    if len(got) != len(values):
        sys.exit('format: %d lines for %d values' % (len(got), len(values)))
    for v, line in zip(values, got):
        want = '\t'.join([italian_fixed(v, d) for d in range(7)] + [italian_plain(v)])
        if line != want:
            failures.append('format %r: got %s want %s' % (v, line, want))

    vats = vat_cases(rng)
    got = run(command, 'vat', ['%d %s %s %d' % (k, bits(r), bits(a), d) for k, r, a, d in vats])
    if len(got) != len(vats):
        sys.exit('vat: %d lines for %d operations' % (len(got), len(vats)))
    accountant = 0
    for (k, r, a, d), line in zip(vats, got):
        want = vat_line(k, r, a, d)
        if line != want:
            failures.append('vat %d %r %r %d: got %s want %s' % (k, r, a, d, line, want))
        if d == 2 and a < 1e10 and a == round(a, 2):
            accountant += 1
            cents = accountant_cents(k, r, a)
            if line.split(' = ')[-1].split(' (IVA ')[0] != cents:
                failures.append('vat %d %r %r: got %s, the exact cent is %s' % (k, r, a, line, cents))

    texts = sample_texts(rng)
    got = run(command, 'parse', [t for t, _ in texts])
    if len(got) != len(texts):
        sys.exit('parse: %d lines for %d texts' % (len(got), len(texts)))
    for (text, want), line in zip(texts, got):
        if line != ('fail' if want is None else 'ok ' + bits(want)):
            failures.append('parse %s: got %s want ok %r' % (text, line, want))

    for f in failures[:20]:
        print(f)
    print('%d values formatted at 8 settings, %d VAT operations (%d checked against the exact '
          'cent), %d texts parsed: %d mismatches'
          % (len(values), len(vats), accountant, len(texts), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
