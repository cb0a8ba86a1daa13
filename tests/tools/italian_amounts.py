"""Amounts written the Italian way and rounded as an accountant rounds, with
Python's decimal module: the reference for the program's formatNumber.

A value is rounded to d places, halves away from zero, on its 15 significant
digits while they reach at least d + 1 decimals, else on the exact value of
the double; from 10^15 on it is its 15 significant digits and zeros; a value
that rounds to zero has no sign.
"""
import math
from decimal import Decimal, Context, ROUND_HALF_UP

WIDE = Context(prec=1000)


def group(integer):
    sign = '-' if integer.startswith('-') else ''
    digits = integer[len(sign):]
    head = len(digits) % 3 or 3
    parts = [digits[:head]] + [digits[i:i + 3] for i in range(head, len(digits), 3)]
    return sign + '.'.join(parts)


def rounded(x, d):
    """The decimal that x shows as with d places, sign included."""
    if x == 0:
        exact = Decimal(0)
    else:
        mantissa, exponent = ('%.14e' % abs(x)).split('e')
        if math.isinf(float(mantissa + 'e' + exponent)):  # rounded past the double range
            mantissa = mantissa[:-1] + str(int(mantissa[-1]) - 1)
        if abs(x) >= 1e15 or 14 - int(exponent) >= d + 1:
            exact = Decimal(mantissa).scaleb(int(exponent))
        else:
            exact = Decimal(abs(x))
    q = exact.quantize(Decimal(1).scaleb(-d), rounding=ROUND_HALF_UP, context=WIDE)
    return -q if x < 0 and q != 0 else q


def italian(q, d):
    """A rounded decimal as Italian text: grouped, decimal comma."""
    integer, _, fraction = format(q, 'f').partition('.')
    return group(integer) + (',' + fraction if d > 0 else '')


def fmt(x, d):
    """formatNumber(x, d) for a finite x."""
    return italian(rounded(x, d), d)
