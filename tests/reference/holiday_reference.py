"""Holiday codes of any day, computed apart from the program: for each year
the table of its holidays, looked up by date.

Codes: 0 substitute holiday, 1 the day between two holidays, 2-20 the
holidays (as the program's name table numbers them), -1 a Saturday or Sunday
that is no holiday, -9 any other day.

Before 2016 the calendar keeps the rules it has always applied (the law of
2007 with the day-after-Monday substitutes); from 2016 the law as it stands,
with the days fixed by the special laws of 2019-2021.
"""
import datetime
import functools

(SUBSTITUTE, BETWEEN, EMPEROR, NEW_YEAR, COMING_OF_AGE, FOUNDATION, VERNAL, SHOWA,
 CONSTITUTION, GREENERY, CHILDREN, MARINE, AGED, AUTUMNAL, HEALTH_SPORTS, CULTURE, LABOUR,
 MOUNTAIN, SPORTS, ENTHRONEMENT, CEREMONY) = range(21)


def vernal_equinox(year):
    n = year - 1980
    return int(20.8431 + 0.242194 * n - n // 4)


def autumnal_equinox(year):
    n = year - 1980
    return int(23.2488 + 0.242194 * n - n // 4)


def nth_monday(year, month, n):
    first = datetime.date(year, month, 1)
    return 1 + (7 - first.weekday()) % 7 + 7 * (n - 1)  # weekday(): Monday 0


def is_monday(year, month, day):
    return datetime.date(year, month, day).weekday() == 0


def table_before_2016(y):
    """{(month, day): code}; the first rule written for a day wins."""
    t = {}

    def put(month, day, code):
        t.setdefault((month, day), code)

    def substitute_if_monday(month, day):
        if is_monday(y, month, day):
            put(month, day, SUBSTITUTE)

    put(1, 1, NEW_YEAR)
    substitute_if_monday(1, 2)
    put(1, nth_monday(y, 1, 2), COMING_OF_AGE)
    put(2, 11, FOUNDATION)
    substitute_if_monday(2, 12)
    ev = vernal_equinox(y)
    put(3, ev, VERNAL)
    substitute_if_monday(3, ev + 1)
    put(4, 29, GREENERY if y < 2007 else SHOWA)
    substitute_if_monday(4, 30)
    put(5, 3, CONSTITUTION)
    put(5, 4, BETWEEN if y < 2007 else GREENERY)
    put(5, 5, CHILDREN)
    wd6 = datetime.date(y, 5, 6).weekday()
    if wd6 == 0 or (y >= 2007 and wd6 in (1, 2)):
        put(5, 6, SUBSTITUTE)
    if y >= 2003:
        put(7, nth_monday(y, 7, 3), MARINE)
        put(9, nth_monday(y, 9, 3), AGED)
    else:
        put(7, 20, MARINE)
        substitute_if_monday(7, 21)
        put(9, 15, AGED)
        substitute_if_monday(9, 16)
    ea = autumnal_equinox(y)
    put(9, ea, AUTUMNAL)
    substitute_if_monday(9, ea + 1)
    if y >= 2003 and datetime.date(y, 9, ea - 1).weekday() == 1 and (ea - 3) // 7 == 2:
        put(9, ea - 1, BETWEEN)
    put(10, nth_monday(y, 10, 2), HEALTH_SPORTS)
    put(11, 3, CULTURE)
    put(11, 23, LABOUR)
    substitute_if_monday(11, 4)
    substitute_if_monday(11, 24)
    put(12, 23, EMPEROR)
    substitute_if_monday(12, 24)
    return t


def national_holidays(y):
    """The holidays of the present law by date, {(month, day): code}."""
    t = {(1, 1): NEW_YEAR, (1, nth_monday(y, 1, 2)): COMING_OF_AGE, (2, 11): FOUNDATION,
         (3, vernal_equinox(y)): VERNAL, (4, 29): SHOWA, (5, 3): CONSTITUTION,
         (5, 4): GREENERY, (5, 5): CHILDREN, (9, nth_monday(y, 9, 3)): AGED,
         (9, autumnal_equinox(y)): AUTUMNAL, (11, 3): CULTURE, (11, 23): LABOUR}
    if y >= 2020:
        t[(2, 23)] = EMPEROR
    if y <= 2018:
        t[(12, 23)] = EMPEROR
    if y == 2019:
        t[(5, 1)] = ENTHRONEMENT
        t[(10, 22)] = CEREMONY
    marine = {2020: (7, 23), 2021: (7, 22)}.get(y, (7, nth_monday(y, 7, 3)))
    mountain = {2020: (8, 10), 2021: (8, 8)}.get(y, (8, 11))
    sports = {2020: (7, 24), 2021: (7, 23)}.get(y, (10, nth_monday(y, 10, 2)))
    t[marine] = MARINE
    t[mountain] = MOUNTAIN
    t[sports] = HEALTH_SPORTS if y < 2020 else SPORTS
    return t


def table_from_2016(y):
    """National holidays, then the days the law makes holidays around them:
    the first day that is none after one that falls on a Sunday, and a day
    that is none between two of them."""
    dated = {}
    for year in (y - 1, y, y + 1):
        for (m, d), code in national_holidays(year).items():
            dated[datetime.date(year, m, d)] = code
    t = {}
    day = datetime.date(y, 1, 1)
    while day.year == y:
        one = datetime.timedelta(days=1)
        if day in dated:
            t[(day.month, day.day)] = dated[day]
        else:
            back = day - one
            while back in dated and back.weekday() != 6:
                back -= one
            if back in dated:
                t[(day.month, day.day)] = SUBSTITUTE
            elif day - one in dated and day + one in dated:
                t[(day.month, day.day)] = BETWEEN
        day += one
    return t


@functools.lru_cache(maxsize=None)
def year_table(y):
    return table_before_2016(y) if y < 2016 else table_from_2016(y)


def holiday_code(day):
    """The code of a datetime.date."""
    code = year_table(day.year).get((day.month, day.day))
    if code is not None:
        return code
    return -1 if day.weekday() >= 5 else -9
