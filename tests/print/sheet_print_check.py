#!/usr/bin/env python3
"""Prints schedule sheets on the default printer (CUPS with cups-pdf) with
sheet_print_cases, one case at a time, waits for each PDF that cups-pdf
writes and reads it back: the page count (poppler's pdfinfo), the texts,
and where the pages of the slots lie on the sheet (pdf_words, as the
sheets' fonts carry no text map that poppler could read).

    sheet_print_check.py [EMULATOR...] CASES_PROGRAM
"""
import os
import re
import subprocess
import sys
import time

import pdf_words

WAIT_SECONDS = 90
CONF = "/etc/cups/cups-pdf.conf"


def pdf_folders():
    """Where cups-pdf puts the files of this user's jobs: its Out setting
    (${HOME} being the user's home), else its folder for anonymous jobs."""
    home = os.path.expanduser("~")
    out = os.path.join(home, "PDF")
    anonymous = "/var/spool/cups-pdf/ANONYMOUS"
    try:
        with open(CONF, encoding="utf-8", errors="replace") as f:
            for line in f:
                m = re.match(r"\s*(Out|AnonDirName)\s+(\S.*?)\s*$", line)
                if not m:
                    continue
                value = m.group(2).replace("${HOME}", home).replace("${USER}", os.environ.get("USER", ""))
                if m.group(1) == "Out":
                    out = value
                else:
                    anonymous = value
    except OSError:
        pass
    return [out, anonymous]


def pdf_files(folders):
    found = {}
    for folder in folders:
        try:
            for name in os.listdir(folder):
                if name.lower().endswith(".pdf"):
                    path = os.path.join(folder, name)
                    found[path] = os.stat(path).st_mtime_ns
        except OSError:
            pass
    return found


def wait_for_new_pdf(folders, before):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        now = pdf_files(folders)
        fresh = [p for p, t in now.items() if before.get(p) != t]
        for path in fresh:
            size = os.path.getsize(path)
            time.sleep(0.5)
            if size > 0 and os.path.getsize(path) == size and page_count(path) is not None:
                return path
        time.sleep(0.5)
    return None


def page_count(path):
    r = subprocess.run(["pdfinfo", path], capture_output=True, text=True)
    m = re.search(r"^Pages:\s+(\d+)", r.stdout, re.M)
    return int(m.group(1)) if r.returncode == 0 and m else None


def words(path):
    """Each text run and the places where it starts (x, baseline y)."""
    out = {}
    for text, x, y in pdf_words.page_words(path):
        out.setdefault(text.strip(), []).append((x, y))
    return out


def text_of(ws):
    return "\n".join(ws)


def page_size(path):
    r = subprocess.run(["pdfinfo", path], capture_output=True, text=True)
    m = re.search(r"Page size:\s+([\d.]+) x ([\d.]+)", r.stdout)
    return float(m.group(1)), float(m.group(2))


class Check:
    def __init__(self, case):
        self.case = case
        self.failures = []

    def that(self, ok, what):
        if not ok:
            self.failures.append(f"{self.case}: {what}")


def marker(month_day):
    return "E" + month_day.replace("-", "")


def first_word(ws, check, text):
    boxes = ws.get(text)
    check.that(bool(boxes), f"{text} is not on the sheet")
    return boxes[0] if boxes else (0, 0)


def check_grid(path, ws, check, slots, expected_days):
    """Slots 1-4 as the cases program reported them: their first days are
    the expected ones and their entries lie top left, top right, bottom
    left and bottom right. A day's entry may sit a line or two lower when
    entries running on from earlier days come first."""
    got = [slots[n] for n in sorted(k for k in slots if isinstance(k, int))]
    check.that(got == expected_days, f"first days {got}, expected {expected_days}")
    boxes = [first_word(ws, check, marker(day[5:])) for day in got]
    tl, tr, bl, br = boxes
    check.that(tr[0] > tl[0] + 50 and abs(tr[1] - tl[1]) < 30, f"slot 2 {tr} not right of slot 1 {tl}")
    check.that(bl[1] > tl[1] + 50 and abs(bl[0] - tl[0]) < 1, f"slot 3 {bl} not below slot 1 {tl}")
    check.that(abs(br[0] - tr[0]) < 1 and abs(br[1] - bl[1]) < 30, f"slot 4 {br} not below slot 2 {tr}")


def run_case(command, folders, case):
    before = pdf_files(folders)
    r = subprocess.run(command + [case], capture_output=True, text=True, cwd=os.getcwd())
    if r.returncode != 0:
        return None, None, f"{case}: the cases program failed ({r.returncode}): {r.stderr.strip()}"
    slots = {}
    for line in r.stdout.splitlines():
        m = re.match(r"slot (\d) (\d{4}-\d\d-\d\d)", line)
        if m:
            slots[int(m.group(1))] = m.group(2)
        m = re.match(r"(page-width|origin) (\d+)", line)
        if m:
            slots[m.group(1)] = int(m.group(2)) * 72.0 / 254  # points
    path = wait_for_new_pdf(folders, before)
    if path is None:
        return None, None, f"{case}: no PDF appeared in {folders} within {WAIT_SECONDS} s"
    return path, slots, None


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    command = sys.argv[1:]
    folders = pdf_folders()
    failures = []
    pdfs = {}
    for case in ["side-by-side", "stacked", "duplex-front", "duplex-back", "front-top-row", "last-days", "new-year", "dialog"]:
        path, slots, error = run_case(command, folders, case)
        if error:
            failures.append(error)
            continue
        check = Check(case)
        check.that(page_count(path) == 1, f"{page_count(path)} pages, one sheet expected")
        ws = words(path)
        text = text_of(ws)
        pdfs[case] = (path, ws, slots)
        if case == "side-by-side":
            check_grid(path, ws, check, slots, ["2026-12-07", "2026-12-11", "2026-12-14", "2026-12-18"])
            check.that("令和8年12月" in text, "the header has no 令和8年12月")
            for n in range(7, 21):
                check.that(f"E12{n:02d}" in ws, f"E12{n:02d} missing: fourteen days from 7 December")
            for absent in ["E1206", "E1221"]:
                check.that(absent not in ws, f"{absent} printed")
            for mark, day in [("▽三日会議", "8"), ("◇三日会議", "9"), ("△三日会議", "10")]:
                check.that(mark in text, f"{mark} (December {day}) missing")
        elif case in ("stacked", "dialog"):
            check_grid(path, ws, check, slots, ["2026-12-07", "2026-12-15", "2026-12-11", "2026-12-18"])
            check.that("2026年12月" in text, "the header has no 2026年12月")
        elif case == "duplex-front":
            check_grid(path, ws, check, slots, ["2026-12-10", "2026-12-14", "2026-12-24", "2026-12-28"])
        elif case == "last-days":
            for day in ["E1229", "E1230", "E1231"]:
                check.that(day in ws, f"{day} missing")
            check.that("2099年12月" in text, "the header has no 2099年12月")
            check.that("木" in text and "金" not in text, "the row after 2099-12-31 is not empty")
            check.that("2100" not in text, "a day of 2100 printed")
        elif case == "new-year":
            # Each page is headed by the month of its first day; the holiday
            # name is the item line of 1 January, above its entry.
            check.that("令和8年12月" in text and "令和9年1月" in text, "the headers are not 令和8年12月 and 令和9年1月")
            holiday = first_word(ws, check, "元日")
            entry = first_word(ws, check, "E0101")
            check.that(entry[1] > holiday[1] and abs(entry[0] - holiday[0]) < 300,
                       f"元日 {holiday} is not the line above E0101 {entry}")
        failures += check.failures

    # The back of a duplex sheet mirrors the front's columns: seen through
    # the paper, each page of the back lies where the page of the other
    # column lies on the front. Entries sit at the same offset c in every
    # page, which the front's first origin gives.
    if "duplex-back" in pdfs and "front-top-row" in pdfs:
        check = Check("duplex-back")
        back_path, back, back_slots = pdfs["duplex-back"]
        _, front, front_slots = pdfs["front-top-row"]
        days = {k: v for k, v in back_slots.items() if isinstance(k, int)}
        check.that(days == {1: "2026-12-17", 2: "2026-12-07"}, f"first days {days}")
        b1 = first_word(back, check, marker(back_slots.get(1, "")[5:]))
        b2 = first_word(back, check, marker(back_slots.get(2, "")[5:]))
        f1 = first_word(front, check, marker(front_slots.get(1, "")[5:]))
        f2 = first_word(front, check, marker(front_slots.get(2, "")[5:]))
        sheet_width, _ = page_size(back_path)
        page = back_slots.get("page-width", 0)
        c = f1[0] - front_slots.get("origin", 0)
        for name, got, other in [("page 4 (slot 1)", b1, f2), ("page 1 (slot 2)", b2, f1)]:
            # other column's left edge x0 on the front: x0 = other - c; the
            # mirrored page's left edge is sheet - x0 - page.
            want = sheet_width - (other[0] - c) - page + c
            check.that(abs(got[0] - want) < 1.5, f"{name} at x {got[0]:.1f}, the mirror of the front puts it at {want:.1f}")
        check.that(abs(b1[1] - b2[1]) < 30, f"the back's pages are not in one row: {b1} {b2}")
        failures += check.failures

    for f in failures:
        print(f, file=sys.stderr)
    if not failures:
        print(f"{len(pdfs)} sheets printed and read back")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
