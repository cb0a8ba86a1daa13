"""Italian holidays besides Sundays by period, typed again from the laws
(L. 260/1949, L. 54/1977, DPR 792/1985, L. 336/2000, L. 151/2025 and the
one-year days of 1986 and 2011), with Easter from python3-dateutil. Before
01/06/1949 no list is verified: the 1949 list stands in, as in the program."""
import datetime

from dateutil.easter import EASTER_WESTERN, easter

D = datetime.date
# (first day, fixed days as (month, day), days after Easter Sunday)
PERIODS = [
    (D(1, 1, 1), [(1, 1), (1, 6), (3, 19), (4, 25), (5, 1), (6, 2), (6, 29), (8, 15), (11, 1), (11, 4),
                  (12, 8), (12, 25), (12, 26)], [0, 1, 39, 60]),
    (D(1977, 3, 8), [(1, 1), (4, 25), (5, 1), (8, 15), (11, 1), (12, 8), (12, 25), (12, 26)], [0, 1]),
    (D(1986, 1, 1), [(1, 1), (1, 6), (4, 25), (5, 1), (8, 15), (11, 1), (12, 8), (12, 25), (12, 26)], [0, 1]),
    (D(2001, 1, 1), [(1, 1), (1, 6), (4, 25), (5, 1), (6, 2), (8, 15), (11, 1), (12, 8), (12, 25), (12, 26)],
     [0, 1]),
    (D(2026, 1, 1), [(1, 1), (1, 6), (4, 25), (5, 1), (6, 2), (8, 15), (10, 4), (11, 1), (12, 8), (12, 25),
                     (12, 26)], [0, 1]),
]
ONE_DAY = [D(1986, 6, 2), D(2011, 3, 17)]


def holidays_of_year(year):
    """The holidays of one year, each day checked against the period it falls in."""
    e = easter(year, EASTER_WESTERN)
    days = set(d for d in ONE_DAY if d.year == year)
    for i, (start, fixed, after_easter) in enumerate(PERIODS):
        end = PERIODS[i + 1][0] if i + 1 < len(PERIODS) else D.max
        candidates = [D(year, m, d) for m, d in fixed] + [e + datetime.timedelta(k) for k in after_easter]
        days.update(d for d in candidates if start <= d and (d < end or end == D.max))
    return days
