#!/usr/bin/env python3
"""The almanac of 2001-2099 computed apart from the program, to compare with
`hiyomi-almanac dump`.

    almanac_reference.py dump FIRST LAST           print the reference lines
    almanac_reference.py compare FIRST LAST CMD... run CMD dump FIRST LAST and
                                                   report the first day that differs

A dump line is: serial, date, weekday, holiday code, lunar month, lunar day,
moon age in tenths, solar term, rokuyo, day stem, day branch. The holiday
codes come from holiday_reference.py.

The series are evaluated in Python floats (IEEE doubles, the program's order
of operations) with the C library's sine and cosine. Those are not always
correctly rounded, the program's are, so a longitude or a moon age may differ
in its last bit; what is compared is what the calendar shows, which moves
only if a value lies within a few units in the last place of a day, term or
tenth boundary. The bits themselves are compared between the native and the
Windows build (compare_dump.sh) and against correctly rounded values
(trig_reference.py).
"""
import datetime
import math
import os
import subprocess
import sys

from holiday_reference import holiday_code

EPOCH = datetime.date(2000, 12, 31)  # serial 0
FIRST_SERIAL, LAST_SERIAL = 1, 36159
RADIANS = 0.017453292519943

SOLAR_SERIES = [
    (1.9147, 35999.05, 267.52), (-0.0048, 35999.05, 267.52), (0.02, 71998.1, 265.1),
    (0.002, 32964.0, 158.0), (0.0018, 19.0, 159.0), (0.0018, 445267.0, 208.0),
    (0.0015, 45038.0, 254.0), (0.0013, 22519.0, 352.0), (0.0007, 65929.0, 45.0),
    (0.0007, 3035.0, 110.0), (0.0007, 9038.0, 64.0), (0.0006, 33718.0, 316.0),
    (0.0005, 155.0, 118.0), (0.0005, 2281.0, 221.0), (0.0004, 29930.0, 48.0),
    (0.0004, 31557.0, 161.0),
]


def serial_of(text):
    return (datetime.date.fromisoformat(text) - EPOCH).days


def date_of(serial):
    return EPOCH + datetime.timedelta(days=serial)


def read_corrections(path):
    lunar, terms = [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "lunar":
                lunar.append((serial_of(words[1]), serial_of(words[2]), int(words[3]),
                              int(words[4])))
            elif words[0] == "term":
                terms.append((int(words[1]), serial_of(words[2]), serial_of(words[3])))
            else:
                raise ValueError("unknown row: " + line)
    return lunar, terms


class Series:
    """Sun longitude and moon age at the midnights and noons (JST) of the
    days, each computed once."""

    def __init__(self):
        self._longitude = {}
        self._age = {}

    def longitude(self, serial):
        value = self._longitude.get(serial)
        if value is None:
            jd = serial + 2451909.125
            t = (jd - 2451545.0) * 2.7378507871321012e-05
            value = 36000.7695 * t + 280.4659
            for amplitude, rate, phase in SOLAR_SERIES:
                value += amplitude * math.cos((rate * t + phase) * RADIANS)
            while value < 0.0:
                value += 360.0
            while value >= 360.0:
                value -= 360.0
            self._longitude[serial] = value
        return value

    @staticmethod
    def moon_age(jd):
        k = math.floor((jd - 2451550.09765) * 0.033863191824585685)
        t = k * 0.0008085054776246109
        new_moon = (2451550.09765 + 29.530589 * k + 0.0001337 * t * t
                    - 0.4072 * math.sin((385.8169 * k + 201.5643) * RADIANS)
                    + 0.17241 * math.sin((29.1054 * k + 2.5534) * RADIANS))
        age = jd - new_moon
        if age < 0.0:
            age += 29.530589
        return age

    def age_at_midnight(self, serial):
        value = self._age.get(serial)
        if value is None:
            value = self.moon_age(serial + 2451909.125)
            self._age[serial] = value
        return value

    def age_tenths(self, serial):
        return (math.floor(100.0 * self.moon_age(serial + 2451909.625)) + 5) // 10

    def step_crossed(self, serial, step):
        """The multiple of step degrees the sun passes during the day, or -1."""
        begin = self.longitude(serial)
        following = step * (math.floor(begin * (1.0 / step)) + 1)
        end = self.longitude(serial + 1)
        if end > following:
            return int(end * (1.0 / step))
        if end < 2.0 and following == 360.0:
            return 0
        return -1

    def new_moon_day(self, serial):
        return self.age_at_midnight(serial + 1) < self.age_at_midnight(serial)

    def month_start(self, serial, floor):
        while serial > floor and not self.new_moon_day(serial):
            serial -= 1
        if self.age_at_midnight(serial + 1) > 1.0:
            serial -= 1
        return serial

    def lunar_date(self, a):
        """(month, day) by the series; a negative month is a leap month."""
        lam = self.longitude(a)
        quarter = math.floor(lam * 0.011111111111111112)
        e = a - math.floor((lam - 90.0 * quarter) * 0.9856262833675564)
        f = self.step_crossed(e, 90)
        while f < 0:
            e -= 1
            f = self.step_crossed(e, 90)
        month = 3 * f + 2
        starts = [self.month_start(e, e - 60)]
        while starts[-1] <= a:
            starts.append(self.month_start(starts[-1] + 31, starts[-1] + 1))
        leap = False
        sector = [math.floor(self.longitude(s) * 0.03333333333333333) for s in starts]
        for j in range(1, len(starts) - 1):
            if sector[j] != sector[j + 1]:
                month += 1
                leap = False
            else:
                leap = True
        if month > 12:
            month -= 12
        return (-month if leap else month), a - starts[-2] + 1


def reference_lines(first, last, corrections):
    lunar_rows, term_rows = corrections
    series = Series()
    moved_terms = {}
    for term, true_day, series_day in term_rows:
        moved_terms[series_day] = -1
        moved_terms[true_day] = term
    lunar = None
    for s in range(first, last + 1):
        row = next((r for r in lunar_rows if r[0] <= s <= r[1]), None)
        if row is not None:
            lunar = (row[2], s - row[0] + row[3])
        elif lunar is not None and lunar[1] < 29 and s > first:
            # Below day 29 the next day is the next lunar day (a month has 29
            # or 30 days), which saves the search for most days.
            lunar = (lunar[0], lunar[1] + 1)
        else:
            lunar = series.lunar_date(s)
        term = moved_terms.get(s)
        if term is None:
            term = series.step_crossed(s, 15)
        d = date_of(s)
        weekday = (d.weekday() + 1) % 7  # Sunday 0
        rokuyo = (abs(lunar[0]) + lunar[1]) % 6
        yield [str(s), d.isoformat(), str(weekday), str(holiday_code(d)), str(lunar[0]),
               str(lunar[1]),
               str(series.age_tenths(s)), str(term), str(rokuyo), str(s % 10), str(s % 12)]


FIELDS = ["serial", "date", "weekday", "holiday", "lunar month", "lunar day",
          "moon age tenths", "solar term", "rokuyo", "day stem", "day branch"]


def compare(first, last, corrections, command):
    out = subprocess.run(command + ["dump", date_of(first).isoformat(),
                                    date_of(last).isoformat()],
                         check=True, stdout=subprocess.PIPE).stdout.decode("ascii")
    shown = out.splitlines()
    count = 0
    for expected, line in zip(reference_lines(first, last, corrections), shown):
        got = line.split("\t")
        if len(got) != len(expected):
            print("malformed dump line: " + line)
            return 1
        for name, want, have in zip(FIELDS, expected, got):
            if want != have:
                print("first day that differs: %s (serial %s): %s is %s, the reference has %s"
                      % (expected[1], expected[0], name, have, want))
                return 1
        count += 1
    if count != last - first + 1:
        print("the dump has %d days, not %d" % (len(shown), last - first + 1))
        return 1
    print("the dump equals the reference on all %d days" % count)
    return 0


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    corrections = read_corrections(os.path.join(here, "almanac_corrections.txt"))
    if len(argv) >= 3 and argv[0] in ("dump", "compare"):
        first, last = serial_of(argv[1]), serial_of(argv[2])
        if not FIRST_SERIAL <= first <= last <= LAST_SERIAL:
            print("dates must lie in 2001-01-01..2099-12-31, in order")
            return 2
        if argv[0] == "dump":
            for fields in reference_lines(first, last, corrections):
                print("\t".join(fields))
            return 0
        if len(argv) > 3:
            return compare(first, last, corrections, argv[3:])
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
