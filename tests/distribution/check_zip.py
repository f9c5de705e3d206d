#!/usr/bin/env python3
"""The distribution zip and folder, byte for byte as a user gets them.

  check_zip.py SOURCE_ROOT OUT_DIR     (OUT_DIR holds Hiyomi/ and Hiyomi.zip)
"""
import os
import re
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

ROOT = OUT = None
V151 = (2007, 4, 3, 1, 51, 0)
V144 = (2007, 1, 21, 1, 44, 0)
FILES = {
    "ReadMe.txt": V151, "Hiyomi.exe": V151, "Hiyomi.chm": V151, "_Hiyomi.ini": V151,
    "_HiyomiAge.ini": V144, "Kivrel.exe": V144, "Setup.exe": V151,
}
TEXTS = ("ReadMe.txt", "_Hiyomi.ini", "_HiyomiAge.ini")
PROGRAMS = ("Hiyomi.exe", "Kivrel.exe", "Setup.exe")


def read(name):
    with open(os.path.join(OUT, "Hiyomi", name), "rb") as f:
        return f.read()


def ini_keys(data):
    """Keys of the [Default] section, in order; the file must be that one section."""
    lines = data.decode("cp932").split("\r\n")
    assert lines[0] == "[Default]", lines[0]
    return [line.split("=", 1)[0] for line in lines[1:] if line]


class Distribution(unittest.TestCase):
    def test_the_zip_holds_the_folder_with_its_local_times(self):
        with zipfile.ZipFile(os.path.join(OUT, "Hiyomi.zip")) as z:
            entries = {i.filename: i for i in z.infolist() if not i.is_dir()}
            self.assertEqual(set(entries), {"Hiyomi/" + n for n in FILES})
            for name, stamp in FILES.items():
                info = entries["Hiyomi/" + name]
                # The DOS time is what Windows takes as the local time.
                self.assertEqual(info.date_time, stamp, name)
                self.assertEqual(z.read(info), read(name), name)

    def test_unpacking_keeps_the_times(self):
        with tempfile.TemporaryDirectory() as folder:
            subprocess.run(["unzip", "-q", os.path.join(OUT, "Hiyomi.zip"), "-d", folder], check=True)
            for name, stamp in FILES.items():
                mtime = os.stat(os.path.join(folder, "Hiyomi", name)).st_mtime
                self.assertEqual(time.localtime(mtime)[:6], stamp, name)

    def test_texts_are_cp932_with_cr_lf(self):
        for name in TEXTS:
            data = read(name)
            data.decode("cp932")  # strict
            self.assertTrue(data.endswith(b"\r\n"), name)
            self.assertNotIn(b"\n", data.replace(b"\r\n", b""), name)
            self.assertNotIn(b"\r", data.replace(b"\r\n", b""), name)
        self.assertIn("Kivrel".encode(), read("ReadMe.txt"))
        self.assertIn("レジストリ".encode("cp932"), read("ReadMe.txt"))

    def test_first_start_settings_use_keys_the_programs_read(self):
        keys = ini_keys(read("_Hiyomi.ini"))
        self.assertEqual(keys[:2], ["UseReg", "Section"])
        sources = ""
        for folder in ("settings", "schedule", "shell"):
            for name in os.listdir(os.path.join(ROOT, folder)):
                if name.endswith(".cpp"):
                    with open(os.path.join(ROOT, folder, name), encoding="utf-8") as f:
                        sources += f.read()
        literals = set(re.findall(r'"([A-Za-z]+)(?:%d)?"', sources))
        for key in keys:
            self.assertIn(re.sub(r"\d+$", "", key), literals, key)
        for key in ini_keys(read("_HiyomiAge.ini")):
            self.assertRegex(key, r"^(Section|MarkColor|Birth([1-9]|10)|N[1-3](Year|Age)\d+)$")

    def test_programs_are_stripped_pe_files(self):
        for name in PROGRAMS:
            data = read(name)
            self.assertEqual(data[:2], b"MZ", name)
            pe = struct.unpack_from("<I", data, 0x3C)[0]
            self.assertEqual(data[pe:pe + 4], b"PE\0\0", name)
            symbols, count = struct.unpack_from("<II", data, pe + 4 + 8)
            self.assertEqual((symbols, count), (0, 0), name + " keeps a symbol table")


if __name__ == "__main__":
    ROOT, OUT = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
