"""Amounts written the Italian way and rounded as an accountant rounds, with
Python's decimal module: the reference for the program's formatNumber.

A value is first taken to its 15 significant digits, halves away from zero on
the exact value of the double (one less in the last place where that passes
the double range), then rounded to d places, halves away from zero, with
zeros after the 15 digits; a value that rounds to zero has no sign. From
10^21 on (after the 15 digits) the E form: "1,5E+23".
"""
from decimal import Decimal, Context, ROUND_HALF_UP

WIDE = Context(prec=1000)


def group(integer):
    sign = '-' if integer.startswith('-') else ''
    digits = integer[len(sign):]
    head = len(digits) % 3 or 3
    parts = [digits[:head]] + [digits[i:i + 3] for i in range(head, len(digits), 3)]
    return sign + '.'.join(parts)


FIFTEEN = Context(prec=15, rounding=ROUND_HALF_UP)


def fifteen(x):
    """|x| to 15 significant digits, as a Decimal."""
    q = FIFTEEN.plus(Decimal(abs(x)))
    if q > Decimal('1.79769313486231e308'):  # rounded past the double range
        q = Decimal('1.79769313486231e308')
    return q


def rounded(x, d):
    """The decimal that x shows as with d places, sign included."""
    exact = Decimal(0) if x == 0 else fifteen(x)
    q = exact.quantize(Decimal(1).scaleb(-d), rounding=ROUND_HALF_UP, context=WIDE)
    return -q if x < 0 and q != 0 else q


def exponent_form(x):
    """The E form of an amount of 10^21 or more: '1,23456789012346E+23'."""
    sign, digits, exponent = fifteen(x).normalize().as_tuple()
    text = str(digits[0]) + (',' + ''.join(map(str, digits[1:])) if len(digits) > 1 else '')
    return ('-' if x < 0 else '') + text + 'E+%d' % (len(digits) - 1 + exponent)


def italian(q, d):
    """A rounded decimal as Italian text: grouped, decimal comma."""
    integer, _, fraction = format(q, 'f').partition('.')
    return group(integer) + (',' + fraction if d > 0 else '')


def fmt(x, d):
    """formatNumber(x, d) for a finite x."""
    if x != 0 and fifteen(x) >= Decimal('1e21'):
        return exponent_form(x)
    return italian(rounded(x, d), d)
