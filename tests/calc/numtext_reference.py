#!/usr/bin/python3
"""Checks number text against Python's correctly rounded conversions.

Formatting: '%.*f' (decimals 0 to 6) and '%.15g', with the grouping, the
decimal comma and the rounding to zero applied here, for doubles spread over
1e-7 to 1e22 and for exact ties. Parsing: Italian texts must read as the
nearest double, which Python's float() gives.

Usage: numtext_reference.py COMMAND... (the reference_cli to run, with any
emulator in front of it). A fixed seed makes every run check the same values.
"""
import random
import struct
import subprocess
import sys

SEED = 20261207
COUNT = 100_000


def bits(x):
    return struct.pack('>d', x).hex()


def from_bits(h):
    return struct.unpack('>d', bytes.fromhex(h))[0]


def group(integer):
    sign = '-' if integer.startswith('-') else ''
    digits = integer[len(sign):]
    head = len(digits) % 3 or 3
    parts = [digits[:head]] + [digits[i:i + 3] for i in range(head, len(digits), 3)]
    return sign + '.'.join(parts)


def italian_fixed(x, d):
    if abs(x) < 0.5 * 10.0 ** -d:
        x = 0.0
    text = '%.*f' % (d, x)
    integer, _, fraction = text.partition('.')
    return group(integer) + (',' + fraction if d > 0 else '')


def italian_plain(x):
    return ('%.15g' % x).replace('.', ',')


def sample_doubles(rng):
    values = []
    for _ in range(COUNT * 6 // 10):
        x = 10.0 ** rng.uniform(-7.0, 22.0)
        values.append(-x if rng.random() < 0.3 else x)
    # Exact ties: m / 2^(d+1) with m odd lies exactly halfway for d decimals.
    for _ in range(COUNT * 2 // 10):
        d = rng.randrange(0, 7)
        m = rng.randrange(1, 1 << rng.randrange(2, 53)) | 1
        x = m / 2.0 ** (d + 1)
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
    return cases


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

    texts = sample_texts(rng)
    got = run(command, 'parse', [t for t, _ in texts])
    if len(got) != len(texts):
        sys.exit('parse: %d lines for %d texts' % (len(got), len(texts)))
    for (text, want), line in zip(texts, got):
        if line != 'ok ' + bits(want):
            failures.append('parse %s: got %s want ok %r' % (text, line, want))

    for f in failures[:20]:
        print(f)
    print('%d values formatted at 8 settings, %d texts parsed: %d mismatches'
          % (len(values), len(texts), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
