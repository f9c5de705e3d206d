"""The words of a PDF page with their places, read with the standard
library alone.

The sheets come from Wine's PostScript driver through Ghostscript: the
fonts are TrueType subsets that keep the glyph numbers of the installed
font but carry neither an encoding nor a ToUnicode map, so poppler finds no
text in them. Here each code goes through the subset's cmap to its glyph
and through the installed font's cmap back to its character.
"""
import glob
import re
import struct
import subprocess
import zlib


def lzw_decode(data):
    out = bytearray()
    table = [bytes([i]) for i in range(256)] + [b"", b""]
    bits, buf, nbits, prev = 9, 0, 0, None
    for byte in data:
        buf = (buf << 8) | byte
        nbits += 8
        while nbits >= bits:
            nbits -= bits
            code = (buf >> nbits) & ((1 << bits) - 1)
            if code == 256:
                table, bits, prev = table[:258], 9, None
                continue
            if code == 257:
                return bytes(out)
            if prev is None:
                entry = table[code]
            elif code < len(table):
                entry = table[code]
                table.append(prev + entry[:1])
            else:
                entry = prev + prev[:1]
                table.append(entry)
            out += entry
            prev = entry
            if len(table) + 1 >= (1 << bits) and bits < 12:
                bits += 1
    return bytes(out)


class Pdf:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.objects = {}
        for m in re.finditer(rb"(\d+) 0 obj\b", self.data):
            self.objects[int(m.group(1))] = m.end()

    def body(self, number):
        start = self.objects[number]
        end = self.data.find(b"endobj", start)
        return self.data[start:end]

    def dictionary(self, number):
        body = self.body(number)
        s = body.find(b"stream")
        return body[:s] if s >= 0 else body

    def value(self, text, key):
        m = re.search(rb"/" + key + rb"(?![A-Za-z0-9])\s*(\d+) 0 R", text)
        if m:
            return int(m.group(1))
        m = re.search(rb"/" + key + rb"(?![A-Za-z0-9])\s*(\d+)", text)
        return int(m.group(1)) if m else None

    def stream(self, number):
        start = self.objects[number]
        head = self.dictionary(number)
        m = re.search(rb"stream\r?\n", self.data[start:])
        begin = start + m.end()
        length = self.value(head, b"Length")
        if re.search(rb"/Length(?![A-Za-z0-9])\s*\d+ 0 R", head):
            length = int(self.body(length).strip())
        raw = self.data[begin:begin + length]
        for name in re.findall(rb"/(FlateDecode|LZWDecode)", head):
            raw = zlib.decompress(raw) if name == b"FlateDecode" else lzw_decode(raw)
        return raw

    def pages(self):
        return [n for n in sorted(self.objects) if re.search(rb"/Type\s*/Page\b", self.dictionary(n))]


def tables(font):
    count = struct.unpack(">H", font[4:6])[0]
    out = {}
    for i in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", font[12 + 16 * i:28 + 16 * i])
        out[tag] = font[offset:offset + length]
    return out


def cmap_of(font):
    """Code to glyph, from the best subtable: format 4 or 12, else 0 or 6."""
    cmap = tables(font).get(b"cmap", b"")
    if not cmap:
        return {}
    count = struct.unpack(">H", cmap[2:4])[0]
    best = {}
    for i in range(count):
        _, _, offset = struct.unpack(">HHI", cmap[4 + 8 * i:12 + 8 * i])
        sub = cmap[offset:]
        fmt = struct.unpack(">H", sub[:2])[0]
        mapping = {}
        if fmt == 0:
            mapping = {c: sub[6 + c] for c in range(256) if sub[6 + c]}
        elif fmt == 6:
            first, n = struct.unpack(">HH", sub[6:10])
            for k in range(n):
                mapping[first + k] = struct.unpack(">H", sub[10 + 2 * k:12 + 2 * k])[0]
        elif fmt == 4:
            segs = struct.unpack(">H", sub[6:8])[0] // 2
            ends = struct.unpack(f">{segs}H", sub[14:14 + 2 * segs])
            starts = struct.unpack(f">{segs}H", sub[16 + 2 * segs:16 + 4 * segs])
            deltas = struct.unpack(f">{segs}h", sub[16 + 4 * segs:16 + 6 * segs])
            ro_at = 16 + 6 * segs
            ranges = struct.unpack(f">{segs}H", sub[ro_at:ro_at + 2 * segs])
            for k in range(segs):
                for c in range(starts[k], ends[k] + 1):
                    if c == 0xFFFF:
                        continue
                    if ranges[k] == 0:
                        g = (c + deltas[k]) & 0xFFFF
                    else:
                        at = ro_at + 2 * k + ranges[k] + 2 * (c - starts[k])
                        g = struct.unpack(">H", sub[at:at + 2])[0]
                        g = (g + deltas[k]) & 0xFFFF if g else 0
                    if g:
                        mapping[c] = g
        elif fmt == 12:
            n = struct.unpack(">I", sub[12:16])[0]
            for k in range(n):
                s, e, g = struct.unpack(">III", sub[16 + 12 * k:28 + 12 * k])
                for c in range(s, e + 1):
                    mapping[c] = g + c - s
        if len(mapping) > len(best):
            best = mapping
    return best


_installed = {}


def characters_of_glyphs(face):
    """Glyph to character of the installed font that the face names."""
    if face not in _installed:
        r = subprocess.run(["fc-match", "-f", "%{file}", face], capture_output=True, text=True)
        path = r.stdout.strip() or (glob.glob("/usr/share/fonts/**/ipagp.ttf", recursive=True) + [""])[0]
        reverse = {}
        if path:
            with open(path, "rb") as f:
                for c, g in sorted(cmap_of(f.read()).items(), reverse=True):
                    reverse[g] = chr(c)
        _installed[face] = reverse
    return _installed[face]


class Font:
    def __init__(self, pdf, number):
        head = pdf.dictionary(number)
        face = re.search(rb"/BaseFont\s*/(?:[A-Z]{6}\+)?([^\s/\[<>]+)", head).group(1).decode()
        descriptor = pdf.value(head, b"FontDescriptor")
        file = pdf.value(pdf.dictionary(descriptor), b"FontFile2") if descriptor else None
        self.codes = cmap_of(pdf.stream(file)) if file else {}
        self.glyphs = characters_of_glyphs(face)

    def text(self, raw):
        out = []
        for byte in raw:
            glyph = self.codes.get(byte) or self.codes.get(0xF000 + byte) or 0
            out.append(self.glyphs.get(glyph, "?"))
        return "".join(out)


def tokens(content):
    pattern = rb"(<[0-9A-Fa-f\s]*>)|(\((?:\\.|[^\\)])*\))|(\[)|(\])|(/[^\s/\[\]()<>]+)|([-+]?[\d.]+)|([A-Za-z'\"*]+)"
    for m in re.finditer(pattern, content):
        yield m


ESCAPES = {b"n": b"\n", b"r": b"\r", b"t": b"\t", b"b": b"\b", b"f": b"\f", b"\n": b""}


def unescape(literal):
    def one(m):
        e = m.group(1)
        if e[:1].isdigit():
            return bytes([int(e, 8) & 0xFF])
        return ESCAPES.get(e, e)

    return re.sub(rb"\\([0-7]{1,3}|.)", one, literal[1:-1], flags=re.S)


def multiply(a, b):
    return [a[0] * b[0] + a[1] * b[2], a[0] * b[1] + a[1] * b[3], a[2] * b[0] + a[3] * b[2],
            a[2] * b[1] + a[3] * b[3], a[4] * b[0] + a[5] * b[2] + b[4], a[4] * b[1] + a[5] * b[3] + b[5]]


def page_words(path, page=0):
    """(text, x, y) of each text run, top-left origin in points, y of the
    run's baseline."""
    pdf = Pdf(path)
    number = pdf.pages()[page]
    head = pdf.dictionary(number)
    height = float(re.search(rb"/MediaBox\s*\[\s*[\d.]+\s+[\d.]+\s+[\d.]+\s+([\d.]+)", head).group(1))
    resources = head
    font_dict = re.search(rb"/Font\s*(<<.*?>>|\d+ 0 R)", resources, re.S)
    fonts_text = font_dict.group(1)
    if fonts_text.endswith(b"R"):
        fonts_text = pdf.body(int(fonts_text.split()[0]))
    fonts = {name.decode(): Font(pdf, int(ref)) for name, ref in re.findall(rb"/([^\s/<>]+)\s+(\d+) 0 R", fonts_text)}
    contents = re.search(rb"/Contents\s*(\[[^\]]*\]|\d+ 0 R)", head).group(1)
    content = b"".join(pdf.stream(int(n)) for n in re.findall(rb"(\d+) 0 R", contents))

    words = []
    stack, ctm = [], [1, 0, 0, 1, 0, 0]
    tm = lm = [1, 0, 0, 1, 0, 0]
    font, size, leading = None, 1.0, 0.0
    operands, array = [], None
    for m in tokens(content):
        hexa, literal, open_, close, name, number_, op = m.groups()
        if open_:
            array = []
            continue
        if close:
            operands.append(array)
            array = None
            continue
        if hexa or literal:
            raw = bytes.fromhex(re.sub(rb"\s", b"", hexa[1:-1]).decode()) if hexa else unescape(literal)
            (array if array is not None else operands).append(raw)
            continue
        if name:
            operands.append(name[1:].decode())
            continue
        if number_:
            (array if array is not None else operands).append(float(number_))
            continue
        op = op.decode()
        if op == "q":
            stack.append(ctm)
        elif op == "Q":
            ctm = stack.pop() if stack else ctm
        elif op == "cm" and len(operands) >= 6:
            ctm = multiply([float(v) for v in operands[-6:]], ctm)
        elif op == "BT":
            tm = lm = [1, 0, 0, 1, 0, 0]
        elif op == "Tf":
            font, size = fonts.get(operands[-2]), float(operands[-1])
        elif op == "TL":
            leading = float(operands[-1])
        elif op == "Tm":
            tm = lm = [float(v) for v in operands[-6:]]
        elif op in ("Td", "TD"):
            tx, ty = float(operands[-2]), float(operands[-1])
            if op == "TD":
                leading = -ty
            tm = lm = multiply([1, 0, 0, 1, tx, ty], lm)
        elif op == "T*":
            tm = lm = multiply([1, 0, 0, 1, 0, -leading], lm)
        elif op in ("Tj", "TJ", "'", '"'):
            if op in ("'", '"'):
                tm = lm = multiply([1, 0, 0, 1, 0, -leading], lm)
            pieces = operands[-1] if isinstance(operands[-1], list) else [operands[-1]]
            text = "".join(font.text(p) for p in pieces if isinstance(p, bytes)) if font else ""
            at = multiply(tm, ctm)
            if text.strip():
                words.append((text, at[4], height - at[5]))
        operands = []
    return words
