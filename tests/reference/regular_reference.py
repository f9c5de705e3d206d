#!/usr/bin/env python3
"""Rest days and regular-schedule hits of 2001-2099 computed apart from the
program, to compare with `hiyomi-almanac regular` and `restdays`.

    regular_reference.py compare CMD...   run CMD (the almanac tool) for two
                                          configurations and report the first
                                          day that differs

The holiday codes come from holiday_reference.py.
"""
import calendar
import datetime
import functools
import subprocess
import sys

from holiday_reference import holiday_code

EPOCH = datetime.date(2000, 12, 31)  # serial 0
FIRST, LAST = "2001-01-01", "2099-12-31"

# Every kind, day code, weekday and shift, a switched-off slot and malformed
# words; the same fifty as the regular-schedule unit test.
RULES = [
    1000010, 1000011, 1000012, 1000061, 1000072, 1000017, 2000500, 2000501, 2000502, 2003600,
    2003601, 2003602, 2003603, 2003604, 2003605, 2003606, 2003607, 2003608, 2003609, 2002903,
    2002904, 2002905, 2002906, 2002907, 2002908, 2002909, 2000503, 2000505, 2000507, 2000509,
    2001013, 2000516, 2003908, 3010500, 3010501, 3010502, 3122900, 3050310, 3050311, 3050312,
    2002010, 2001376, 2003406, 2003504, 2002109, 3023600, 3023601, -2002900, 2001171, 1000051,
]

# (Weekday, WeekdayP0-3, BDayMove): the defaults, and own rest-day rules of
# both kinds with other business-day policies.
CONFIGURATIONS = [
    (0x141, (0, 0, 0, 0), 0x002),
    (0x1E81, (0x11002300, 0x2C1D0103, 0x12080303, 0x280D0810), 0x121),
]


@functools.lru_cache(maxsize=None)
def date_of(serial):
    return EPOCH + datetime.timedelta(days=serial)


def serial_of(year, month, day):
    return (datetime.date(year, month, day) - EPOCH).days


@functools.lru_cache(maxsize=None)
def weekday_of(serial):
    return (date_of(serial).weekday() + 1) % 7  # Sunday 0


def last_day(d):
    return d.day == days_in_month(d.year, d.month)


@functools.lru_cache(maxsize=None)
def days_in_month(year, month):
    return calendar.monthrange(year, month)[1]


class Days:
    def __init__(self, weekday_bits, own_rules, bday_move):
        self.holiday = {}  # serial -> code
        self.bits = weekday_bits
        self.own_rules = own_rules
        self.bday_move = bday_move
        self._rest = {}

    def code(self, s):
        value = self.holiday.get(s)
        if value is None:
            value = holiday_code(date_of(s))
            self.holiday[s] = value
        return value

    def calendar_off(self, s):
        return self.code(s) >= -1  # a holiday, a Saturday or a Sunday

    def rest(self, s):
        value = self._rest.get(s)
        if value is None:
            value = self._rest_day(s)
            self._rest[s] = value
        return value

    def _rest_day(self, s):
        w = weekday_of(s)
        if self.bits & (1 << w):
            return True
        if self.bits & 0x80 and w == 6 and all(self.code(s - k) < 0 for k in range(1, 6)):
            return True
        if self.bits & 0x100 and self.code(s) >= 0:
            return True
        d = date_of(s)
        for i, rule in enumerate(self.own_rules):
            if not self.bits & (0x200 << i):
                continue
            kind = rule >> 28
            if kind == 1:
                mode, month = (rule >> 24) & 0xF, (rule >> 16) & 0xFF
                g, wd = (rule >> 8) & 0xFF, rule & 0xFF
                if 1 <= g <= 4:
                    day_ok = 1 <= wd <= 7 and w == wd % 7 and (d.day - 1) // 7 + 1 == g
                elif 5 <= g <= 34:
                    day_ok = d.day == g - 4
                else:
                    day_ok = g >= 35 and last_day(d)
                month_ok = (mode == 1 and month == 0) or (mode == 2 and month == d.month)
                if day_ok and month_ok:
                    return True
            elif kind == 2:
                m1, d1 = (rule >> 24) & 0xF, (rule >> 16) & 0xFF
                m2, d2 = (rule >> 8) & 0xFF, rule & 0xFF
                start = datetime.date(d.year, m1, d1)
                if d < start:
                    start = datetime.date(d.year - 1, m1, d1)
                end = datetime.date(start.year, m2, d2)
                if end < start:
                    end = datetime.date(start.year + 1, m2, d2)
                if start <= d <= end:
                    return True
        return False


def matches(s, code, wd, month):
    d = date_of(s)
    if month and d.month != month:
        return False
    if 1 <= code <= 4:
        return weekday_of(s) == wd % 7 and (d.day - 1) // 7 + 1 == code
    if 5 <= code <= 34:
        return d.day == code - 4
    return code >= 35 and last_day(d)


def run(s, step, off):
    """The days directly after (step 1) or before (step -1) s that are off."""
    days = []
    t = s + step
    while off(t) and abs(t - s) <= 366:
        days.append(t)
        t += step
    return days


def month_away(s, step):
    """The same day number one month later (or earlier), cut to its month."""
    d = date_of(s)
    year, month = d.year, d.month + step
    if month == 13:
        year, month = year + 1, 1
    elif month == 0:
        year, month = year - 1, 12
    return serial_of(year, month, min(d.day, days_in_month(year, month)))


def business_day(s, n, step, days):
    """The n-th day after (step 1) or before (step -1) s that is no own rest
    day, or None once the walk is a month away."""
    limit = month_away(s, step)
    t = s
    while n > 0:
        t += step
        if (t - limit) * step > 0:
            return None
        if not days.rest(t):
            n -= 1
    return t


def hits(word, s, days):
    if word <= 0:
        return False
    shift, wd = word % 10, word // 10 % 10
    code, month, kind = word // 100 % 100, word // 10000 % 100, word // 1000000
    if kind == 1:
        if month != 0 or code != 0 or wd == 0 or shift > 2:
            return False
        if weekday_of(s) == wd % 7 and (days.code(s) < 0 or shift == 0):
            return True
        if shift in (1, 2) and not days.calendar_off(s):
            return any(weekday_of(t) == wd % 7
                       for t in run(s, 1 if shift == 1 else -1, days.calendar_off))
        return False
    if kind == 2:
        if month != 0:
            return False
    elif kind == 3:
        if month == 0 or shift > 2:
            return False
    else:
        return False
    if code == 0 or (wd != 0) != (1 <= code <= 4):
        return False
    if shift == 0:
        return matches(s, code, wd, month)
    if shift in (1, 2):
        if days.calendar_off(s):
            return False
        candidates = [s] + run(s, 1 if shift == 1 else -1, days.calendar_off)
        return any(matches(t, code, wd, month) for t in candidates)
    if days.rest(s):
        return False
    n = shift - 6
    move = days.bday_move
    if n < 0:
        w = business_day(s, -n, 1, days)
        policy = (move >> 8) & 0xF if 0 <= move <= 767 else 0
        policy = policy if policy in (1, 2) else 0
    elif n > 0:
        w = business_day(s, n, -1, days)
        policy = move & 0xF
        policy = 2 if policy >= 2 else policy
    else:
        w = s
        policy = (move >> 4) & 0xF
        policy = 1 if policy not in (0, 2) else policy
    if w is None:
        return False
    candidates = [w]
    if policy == 0:
        candidates += run(w, 1, days.rest)
    elif policy == 2:
        candidates += run(w, -1, days.rest)
    return any(matches(t, code, wd, month) for t in candidates)


def output(command):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout.decode("ascii")


def first_difference(what, expected, shown):
    lines = shown.splitlines()
    for want, have in zip(expected, lines):
        if want != have:
            print("first day that differs (%s): the program has\n  %s\nthe reference\n  %s"
                  % (what, have, want))
            return True
    if len(lines) != len(expected):
        print("%s: %d lines, not %d" % (what, len(lines), len(expected)))
        return True
    return False


def compare(tool):
    serials = list(range(1, 36160))
    for weekday_bits, own_rules, bday_move in CONFIGURATIONS:
        days = Days(weekday_bits, own_rules, bday_move)
        settings = ["--weekday", hex(weekday_bits),
                    "--rules", ",".join(hex(r) for r in own_rules)]
        what = "Weekday %#x" % weekday_bits
        prefix = ["%d\t%s\t" % (s, date_of(s).isoformat()) for s in serials]
        rest = [p + ("1" if days.rest(s) else "0") for p, s in zip(prefix, serials)]
        shown = output(tool + ["restdays", FIRST, LAST] + settings)
        if first_difference("rest days, " + what, rest, shown):
            return 1
        regular = []
        for p, s in zip(prefix, serials):
            slots = [str(i + 1) for i, word in enumerate(RULES) if hits(word, s, days)]
            regular.append(p + (",".join(slots) if slots else "-"))
        shown = output(tool + ["regular", FIRST, LAST] + settings +
                       ["--bdaymove", hex(bday_move)] + [str(r) for r in RULES])
        if first_difference("regular schedules, " + what, regular, shown):
            return 1
    print("rest days and the hits of %d rules equal the reference on all %d days, "
          "in %d configurations" % (len(RULES), len(serials), len(CONFIGURATIONS)))
    return 0


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "compare":
        sys.exit(compare(sys.argv[2:]))
    print(__doc__)
    sys.exit(2)
