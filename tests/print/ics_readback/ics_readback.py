#!/usr/bin/env python3
"""Reads Hiyomi's iCalendar exports back with two independent parsers,
Debian's python3-icalendar and the npm package ical.js, and compares every
event with what the cases program says the year files hold: dates, summary,
categories, class and transparency; the UIDs must be unique in a file and
the same in a second export of the same data.

    ics_readback.py WORK_DIR CASES_PROGRAM TOOL_PROGRAM [EMULATOR...]

ical.js is installed into WORK_DIR/node from the committed lockfile when it
is not there yet.
"""
import datetime
import json
import os
import shutil
import subprocess
import sys
import tempfile

import icalendar

HERE = os.path.dirname(os.path.abspath(__file__))


def install_ical_js(work):
    node_dir = os.path.join(work, "node")
    os.makedirs(node_dir, exist_ok=True)
    for name in ("package.json", "package-lock.json", "read_events.mjs"):
        shutil.copyfile(os.path.join(HERE, name), os.path.join(node_dir, name))
    if not os.path.isdir(os.path.join(node_dir, "node_modules", "ical.js")):
        subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--loglevel=error"],
                       cwd=node_dir, check=True, stdout=sys.stderr)
    return os.path.join(node_dir, "read_events.mjs")


def read_expect(path):
    with open(path, encoding="ascii") as f:
        first, last = f.readline().split()
        events = []
        for line in f:
            start, end, summary, category, klass, transp = line.split()
            text = lambda h: "" if h == "-" else bytes.fromhex(h).decode("cp932", errors="replace")
            events.append((start, end, text(summary).replace("\r\n", "\n").replace("\r", "\n"),
                           (text(category),) if category != "-" else (),
                           None if klass == "-" else klass, None if transp == "-" else transp))
    return first, last, events


def iso(value):
    if isinstance(value, datetime.datetime) or not isinstance(value, datetime.date):
        raise ValueError(f"not a date: {value!r}")
    return value.isoformat()


def categories_of(prop):
    if prop is None:
        return ()
    values = getattr(prop, "cats", None)
    if values is None:
        values = prop if isinstance(prop, list) else [prop]
    return tuple(str(v) for v in values)


def python_events(path):
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    assert str(calendar.get("version")) == "2.0", calendar.get("version")
    events = []
    for e in calendar.walk("VEVENT"):
        events.append({
            "uid": str(e.get("uid")),
            "key": (iso(e.decoded("dtstart")), iso(e.decoded("dtend")), str(e.get("summary")),
                    categories_of(e.get("categories")),
                    str(e.get("class")) if e.get("class") is not None else None,
                    str(e.get("transp")) if e.get("transp") is not None else None),
        })
    return events


def js_events(reader, path):
    out = subprocess.run(["node", reader, path], check=True, capture_output=True, text=True)
    calendar = json.loads(out.stdout)
    assert calendar["version"] == "2.0", calendar["version"]
    events = []
    for e in calendar["events"]:
        assert e["startIsDate"], e
        events.append({"uid": e["uid"],
                       "key": (e["start"], e["end"], e["summary"], tuple(e["categories"]),
                               e["class"], e["transp"])})
    return events


def raw_checks(path):
    data = open(path, "rb").read()
    problems = []
    if data.replace(b"\r\n", b"").find(b"\n") >= 0 or data.replace(b"\r\n", b"").find(b"\r") >= 0:
        problems.append("a line does not end in CR LF")
    for n, line in enumerate(data.split(b"\r\n"), 1):
        if len(line) > 75:
            problems.append(f"line {n} has {len(line)} octets")
        try:
            line.decode("utf-8")
        except UnicodeDecodeError:
            problems.append(f"line {n} is not whole UTF-8: {line!r}")
    if b"\r\n " not in data:
        problems.append("no line was folded")
    return problems


def compare(name, parser, got, want):
    problems = []
    got_keys = sorted(e["key"] for e in got)
    want_sorted = sorted(want)
    for missing in [w for w in want_sorted if w not in got_keys]:
        problems.append(f"{name} ({parser}): missing {missing!r}")
    for extra in [g for g in got_keys if g not in want_sorted]:
        problems.append(f"{name} ({parser}): unexpected {extra!r}")
    if not problems and got_keys != want_sorted:
        problems.append(f"{name} ({parser}): events repeated: {len(got_keys)} for {len(want_sorted)}")
    uids = [e["uid"] for e in got]
    if len(set(uids)) != len(uids):
        problems.append(f"{name} ({parser}): UIDs repeat")
    return problems


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    work, cases, tool, emulator = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    os.makedirs(work, exist_ok=True)
    reader = install_ical_js(work)
    with tempfile.TemporaryDirectory(prefix="ics-readback-", dir=os.getcwd()) as folder:
        # The programs may run under Wine: they get the folder relative to
        # the working directory, which both sides share.
        rel = os.path.basename(folder)
        subprocess.run(emulator + [cases, rel], check=True)
        for n in ("tool.ics", "tool.again.ics"):
            first, last, _ = read_expect(os.path.join(folder, "tool.expect"))
            subprocess.run(emulator + [tool, "ics", os.path.join(rel, "data"), first, last,
                                       os.path.join(rel, n)], check=True)
        problems = []
        checked = 0
        for name in ("tool", "unlocked"):
            _, _, want = read_expect(os.path.join(folder, name + ".expect"))
            uid_sets = {}
            for export in (name + ".ics", name + ".again.ics"):
                path = os.path.join(folder, export)
                if export == "tool.ics":
                    problems += [f"{export}: {p}" for p in raw_checks(path)]
                for parser, events in (("python3-icalendar", python_events(path)),
                                       ("ical.js", js_events(reader, path))):
                    problems += compare(export, parser, events, want)
                    uid_sets.setdefault(parser, []).append({e["key"]: e["uid"] for e in events})
                    checked += len(events)
            for parser, (a, b) in uid_sets.items():
                if a != b:
                    problems.append(f"{name} ({parser}): UIDs differ between two exports")
            if uid_sets["python3-icalendar"][0] != uid_sets["ical.js"][0]:
                problems.append(f"{name}: the two parsers read different UIDs")
        # Bad arguments and unreadable folders: one line and exit status 2.
        for args in (["ics"], ["ics", os.path.join(rel, "none"), "2026-01-01", "2026-01-31", "x.ics"],
                     ["ics", os.path.join(rel, "data"), "2026-02-30", "2026-03-01", "x.ics"],
                     ["ics", os.path.join(rel, "data"), "2026-03-01", "2026-02-01", "x.ics"]):
            run = subprocess.run(emulator + [tool] + args, capture_output=True, text=True)
            if run.returncode != 2 or not run.stderr.strip():
                problems.append(f"hiyomi-export {' '.join(args)}: exit {run.returncode}, {run.stderr!r}")
        for p in problems:
            print(p, file=sys.stderr)
        print(f"{checked} events read back by two parsers, {len(problems)} problems")
        return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
