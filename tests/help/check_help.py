#!/usr/bin/env python3
"""Compiles the help file and reads it back as the help viewer would.

  check_help.py SOURCE_ROOT WORK_DIR

Checks that every topic the program opens is in the compiled file with the
window type it names, that every page is CP932 and says so, that every link,
picture and anchor in the pages, the contents and the index resolves inside
the file, and that no page of help/ was left out of it.
"""
import html.parser
import os
import posixpath
import re
import subprocess
import sys
import tempfile
import unittest

ROOT = WORK = None


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.targets = []   # href and src values
        self.anchors = set()
        self.charset = None
        self.locals = []    # <param name="Local" value=...> of a sitemap

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        for key in ("href", "src"):
            if a.get(key):
                self.targets.append(a[key])
        if tag == "a" and a.get("name"):
            self.anchors.add(a["name"])
        if a.get("id"):
            self.anchors.add(a["id"])
        if tag == "meta":
            m = re.search(r"charset=([\w-]+)", a.get("content", "") + " charset=" + a.get("charset", ""))
            if m and m.group(1):
                self.charset = m.group(1)
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.locals.append(a.get("value", ""))


def parse(path):
    with open(path, "rb") as f:
        text = f.read().decode("cp932")  # strict: a stray byte fails here
    p = Links()
    p.feed(text)
    return p


def dead_links(tree):
    """Every link of the pages, contents and index under tree that does not
    resolve to a file (and anchor) under tree, as (page, link) pairs."""
    pages = {}
    for folder, _, files in os.walk(tree):
        for name in files:
            if name.endswith((".html", ".hhc", ".hhk")):
                rel = posixpath.relpath(os.path.join(folder, name), tree).replace(os.sep, "/")
                pages[rel] = parse(os.path.join(tree, rel))
    dead = []
    for rel, page in pages.items():
        sitemap = rel.endswith((".hhc", ".hhk"))
        base = "" if sitemap else posixpath.dirname(rel)
        for link in page.locals + page.targets:
            if re.match(r"^(https?|mailto|ms-its|mk):", link, re.I):
                continue
            path, _, anchor = link.partition("#")
            target = posixpath.normpath(posixpath.join(base, path)) if path else rel
            if not os.path.isfile(os.path.join(tree, target)):
                dead.append((rel, link))
            elif anchor and anchor not in pages.get(target, Links()).anchors:
                dead.append((rel, link))
    return dead


class HelpFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.chm = os.path.join(WORK, "Hiyomi.chm")
        subprocess.run([os.path.join(ROOT, "tools", "make-help"), cls.chm], check=True,
                       stdout=subprocess.DEVNULL)
        cls.tree = os.path.join(WORK, "extracted")
        subprocess.run(["rm", "-rf", cls.tree], check=True)
        subprocess.run(["extract_chmLib", cls.chm, cls.tree], check=True, stdout=subprocess.DEVNULL)
        cls.windows = subprocess.run(["chmls-3.2.2", "printwindows", cls.chm], check=True,
                                     capture_output=True, text=True, errors="replace").stdout

    def test_every_topic_the_program_opens_is_there_in_its_window_type(self):
        topics = []
        shell = os.path.join(ROOT, "shell")
        for name in sorted(os.listdir(shell)):
            if name.endswith(".cpp"):
                with open(os.path.join(shell, name), encoding="utf-8") as f:
                    topics += re.findall(r'\.chm::/([^"\s>]+)\s*(?:>\s*(\w+))?', f.read())
        self.assertIn(("_RESOURCE/help001.html", "HelpWin"), topics)
        for page, window in topics:
            self.assertTrue(os.path.isfile(os.path.join(self.tree, page)), page)
            if window:
                self.assertIn(window, self.windows, "window type " + window)

    def test_pages_are_cp932_and_say_so(self):
        for folder, _, files in os.walk(self.tree):
            for name in files:
                if name.endswith(".html"):
                    page = parse(os.path.join(folder, name))
                    self.assertEqual((page.charset or "").lower(), "shift_jis", name)

    def test_every_link_resolves_inside_the_file(self):
        self.assertEqual(dead_links(self.tree), [])
        with open(os.path.join(self.tree, "Hiyomi.hhc"), "rb") as f:
            self.assertIn(b'value="_RESOURCE/help001.html"', f.read())

    def test_no_page_of_the_sources_is_left_out(self):
        sources = os.path.join(ROOT, "help")
        for folder, _, files in os.walk(sources):
            for name in files:
                rel = os.path.relpath(os.path.join(folder, name), sources)
                if rel.endswith((".html", ".css", ".png")):
                    self.assertTrue(os.path.isfile(os.path.join(self.tree, rel)), rel)

    def test_the_link_check_finds_a_missing_page_a_missing_picture_and_a_missing_anchor(self):
        with tempfile.TemporaryDirectory() as tree:
            os.mkdir(os.path.join(tree, "_RESOURCE"))
            def write(rel, text):
                with open(os.path.join(tree, rel), "wb") as f:
                    f.write(text.encode("cp932"))
            write("_RESOURCE/a.html", '<a href="b.html#here">b</a><a href="b.html#gone">x</a>'
                                      '<a href="nowhere.html">y</a><img src="img/none.png">')
            write("_RESOURCE/b.html", '<h2><a name="here">ここ</a></h2><a href="http://example.invalid/">z</a>')
            write("t.hhc", '<param name="Local" value="_RESOURCE/a.html">'
                           '<param name="Local" value="_RESOURCE/c.html">')
            self.assertEqual(sorted(dead_links(tree)), [
                ("_RESOURCE/a.html", "b.html#gone"),
                ("_RESOURCE/a.html", "img/none.png"),
                ("_RESOURCE/a.html", "nowhere.html"),
                ("t.hhc", "_RESOURCE/c.html"),
            ])


if __name__ == "__main__":
    ROOT, WORK = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(WORK, exist_ok=True)
    unittest.main(argv=sys.argv[:1], verbosity=2)
