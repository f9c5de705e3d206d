#!/usr/bin/env python3
"""Correctly rounded sine and cosine over the almanac's arguments, computed
apart from the program, to compare with tests/almanac/trig_values.

    trig_reference.py compare CMD...   run CMD and report the first argument
                                       whose bits differ

CMD prints one line per argument x = i * 0.0421 + 0.000123 * (i rem 7),
i = -50000..50000: the bits of x, sin x and cos x as 16 hex digits each.

The exact values come from integer fixed-point arithmetic (pi by Machin's
formula, Taylor series); a value is rounded to the nearest double only when
its error bound cannot straddle a rounding boundary, else the precision is
doubled.
"""
import math
import struct
import subprocess
import sys

FIRST, LAST = -50000, 50000


def bits(v):
    return "%016x" % struct.unpack("<Q", struct.pack("<d", v))[0]


def arctan_inverse(n, one):
    """atan(1/n) * one, to within a few units."""
    total, term, k, sign = 0, one // n, 1, 1
    n2 = n * n
    while term:
        total += sign * (term // k)
        term //= n2
        k += 2
        sign = -sign
    return total


_half_pi = {}


def half_pi(precision):
    value = _half_pi.get(precision)
    if value is None:
        guard = 16
        one = 1 << (precision + guard)
        pi = 16 * arctan_inverse(5, one) - 4 * arctan_inverse(239, one)
        value = (pi >> guard) // 2
        _half_pi[precision] = value
    return value


def sin_cos_fixed(r, precision):
    """sin r and cos r scaled by 2**precision, |r| <= pi/4 (also scaled)."""
    one = 1 << precision
    r2 = (r * r) >> precision
    s, term, k = r, r, 1
    while term:
        term = -((term * r2) >> precision) // ((k + 1) * (k + 2))
        s += term
        k += 2
    c, term, k = one, one, 0
    while term:
        term = -((term * r2) >> precision) // ((k + 1) * (k + 2))
        c += term
        k += 2
    return s, c


def correctly_rounded(x):
    """(sin x, cos x), each the double nearest the exact value."""
    if x == 0.0:
        return x, 1.0  # sin keeps the sign of zero
    num, den = x.as_integer_ratio()
    precision = 128
    while True:
        scaled = (num << precision) // den  # exact: den is a power of two below 2**70
        hp = half_pi(precision)
        n = (2 * scaled + hp) // (2 * hp)
        s, c = sin_cos_fixed(scaled - n * hp, precision)
        error = 64 + abs(n)  # pi/2's last unit times n, the series' truncations
        q = n % 4
        sin_x, cos_x = [(s, c), (c, -s), (-s, -c), (-c, s)][q]
        results = []
        for v in (sin_x, cos_x):
            low, high = (v - error) / (1 << precision), (v + error) / (1 << precision)
            results.append(low if low == high else None)
        if None not in results:
            return results[0], results[1]
        precision *= 2


def argument(i):
    remainder = int(math.fmod(i, 7))  # C's %, toward zero
    return i * 0.0421 + 0.000123 * remainder


def compare(command):
    out = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout.decode("ascii")
    lines = out.splitlines()
    if len(lines) != LAST - FIRST + 1:
        print("the program printed %d lines, not %d" % (len(lines), LAST - FIRST + 1))
        return 1
    runtime_differs = 0
    for i, line in zip(range(FIRST, LAST + 1), lines):
        x = argument(i)
        s, c = correctly_rounded(x)
        if math.sin(x) != s or math.cos(x) != c:
            runtime_differs += 1
        want = [bits(x), bits(s), bits(c)]
        got = line.split()
        for name, w, g in zip(["x", "sin x", "cos x"], want, got):
            if w != g:
                print("first argument that differs: i = %d, x = %r: %s has bits %s, "
                      "correctly rounded %s" % (i, x, name, g, w))
                return 1
    print("sine and cosine are correctly rounded at all %d arguments "
          "(the C library's differ at %d)" % (len(lines), runtime_differs))
    return 0


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "compare":
        sys.exit(compare(sys.argv[2:]))
    print(__doc__)
    sys.exit(2)
