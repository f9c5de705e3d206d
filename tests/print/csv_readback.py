#!/usr/bin/env python3
"""Reads the CSV files of csv_readback_cases back with Python's csv module
(as a spreadsheet would, code page 932) and compares them field by field
with the rows each case expects.

    csv_readback.py FOLDER [EMULATOR...] CASES_PROGRAM
"""
import csv
import os
import subprocess
import sys
import tempfile

DELIMITERS = {"comma": ",", "tab": "\t", "lines": ","}


def expected_rows(path):
    with open(path, encoding="ascii") as f:
        dialect = f.readline().strip()
        rows = []
        for line in f:
            fields = line.split()
            rows.append([b"" if h == "-" else bytes.fromhex(h) for h in fields])
    return dialect, [[b.decode("cp932") for b in row] for row in rows]


def read_back(path, dialect):
    with open(path, encoding="cp932", newline="") as f:
        return list(csv.reader(f, delimiter=DELIMITERS[dialect], strict=True))


def compare(name, got, want):
    if len(got) != len(want):
        return f"{name}: {len(got)} rows read back, {len(want)} expected: {got!r}"
    for r, (g, w) in enumerate(zip(got, want), 1):
        if len(g) != len(w):
            return f"{name} row {r}: {len(g)} fields {g!r}, expected {len(w)} {w!r}"
        for k, (gf, wf) in enumerate(zip(g, w), 1):
            if gf != wf:
                return f"{name} row {r} field {k}: {gf!r}, expected {wf!r}"
    return None


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="csv-readback-", dir=os.getcwd()) as folder:
        # The program may run under Wine: hand it the folder relative to the
        # working directory, which both sides share.
        subprocess.run(command + [os.path.basename(folder)], check=True, cwd=os.getcwd())
        names = sorted(n[:-7] for n in os.listdir(folder) if n.endswith(".fields"))
        if not names:
            print("no cases were written", file=sys.stderr)
            return 1
        failures = []
        for name in names:
            dialect, want = expected_rows(os.path.join(folder, name + ".fields"))
            try:
                got = read_back(os.path.join(folder, name + ".csv"), dialect)
                problem = compare(name, got, want)
            except csv.Error as error:
                problem = f"{name}: not CSV: {error}"
            if problem:
                failures.append(problem)
        for problem in failures:
            print(problem, file=sys.stderr)
        print(f"{len(names) - len(failures)} of {len(names)} files read back as written")
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
