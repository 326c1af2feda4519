#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Glyph positions in a PDF that LibreOffice wrote, read from its page content streams.

LibreOffice writes each run of text as "x y Td /Fn size Tf [<glyph>adjustment<glyph>...] TJ": the
run starts at (x, y) and each glyph advances by its /Widths entry minus the adjustment, both in
thousandths of the font size. This reads those runs (only that form, and Tj) from uncompressed
or Flate-compressed streams, which is all LibreOffice 7.4 writes for text.

As a program: pdf_glyphs.py PDF prints per run the font, size, start, glyph count and the
advances that occur (in points, with their counts).
"""

import collections
import re
import sys
import zlib

Run = collections.namedtuple("Run", "page font size x y glyphs advances")

_OBJECT = re.compile(rb"(\d+) 0 obj(.*?)endobj", re.S)
_TOKEN = re.compile(rb"\[|\]|<[0-9A-Fa-f]*>|/[^\s/\[\]<>()]+|-?\d*\.?\d+|[A-Za-z*']+")


def _objects(data):
    return {int(m.group(1)): m.group(2) for m in _OBJECT.finditer(data)}


def _stream(body):
    start = body.find(b"stream")
    if start < 0:
        return b""
    start = body.index(b"\n", start) + 1
    raw = body[start:body.rfind(b"endstream")]
    return zlib.decompress(raw) if b"/FlateDecode" in body[:start] else raw


def _fonts(objects, resources):
    """Font resource name -> (base font, first char, widths)."""
    fonts = {}
    font_dict = re.search(rb"/Font\s*(?:(\d+) 0 R|<<(.*?)>>)", resources, re.S)
    if not font_dict:
        return fonts
    entries = objects[int(font_dict.group(1))] if font_dict.group(1) else font_dict.group(2)
    for name, ref in re.findall(rb"/(\w+)\s+(\d+) 0 R", entries):
        font = objects[int(ref)]
        base = re.search(rb"/BaseFont\s*/([^\s/]+)", font)
        first = re.search(rb"/FirstChar\s+(\d+)", font)
        widths = re.search(rb"/Widths\s*\[([^\]]*)\]", font)
        fonts[name.decode()] = (base.group(1).decode().split("+")[-1] if base else "?",
                                int(first.group(1)) if first else 0,
                                [float(w) for w in widths.group(1).split()] if widths else [])
    return fonts


def _page_runs(page_number, content, fonts):
    runs, stack = [], []
    font, size, x, y = None, 0.0, 0.0, 0.0
    for tok in _TOKEN.findall(content):
        if tok == b"Td":
            x, y = float(stack[-2]), float(stack[-1])
        elif tok == b"Tm":
            x, y = float(stack[-2]), float(stack[-1])
        elif tok == b"Tf":
            font, size = stack[-2].decode()[1:], float(stack[-1])
        elif tok in (b"TJ", b"Tj"):
            items = stack[stack.index(b"[") + 1:] if tok == b"TJ" else stack[-1:]
            runs.append(_run(page_number, fonts.get(font, ("?", 0, [])), size, x, y, items))
        if tok in (b"Td", b"Tm", b"Tf", b"TJ", b"Tj", b"BT", b"ET") or tok.isalpha():
            stack = []
        else:
            stack.append(tok)
    return runs


def _run(page_number, font, size, x, y, items):
    base, first, widths = font
    glyphs, advances, pending = [], [], 0.0
    for item in items:
        if item.startswith(b"<"):
            codes = bytes.fromhex(item[1:-1].decode())
            for code in codes:
                if glyphs:
                    advances[-1] -= pending * size / 1000
                pending = 0.0
                glyphs.append(code)
                w = widths[code - first] if 0 <= code - first < len(widths) else 0.0
                advances.append(w * size / 1000)
        elif item != b"]":
            pending += float(item)
    return Run(page_number, base, size, x, y, glyphs, advances)


def read_runs(path):
    data = open(path, "rb").read()
    objects = _objects(data)
    runs = []
    pages = [b for b in objects.values() if re.search(rb"/Type\s*/Page\b", b)]
    for n, page in enumerate(pages, 1):
        res = re.search(rb"/Resources\s*(?:(\d+) 0 R|(<<.*>>))", page, re.S)
        resources = objects[int(res.group(1))] if res and res.group(1) else (res.group(2) if res else b"")
        fonts = _fonts(objects, resources)
        contents = re.search(rb"/Contents\s*(?:(\d+) 0 R|\[([^\]]*)\])", page)
        refs = [contents.group(1)] if contents.group(1) else re.findall(rb"(\d+) 0 R", contents.group(2))
        for ref in refs:
            runs += _page_runs(n, _stream(objects[int(ref)]), fonts)
    return runs


def main():
    for r in read_runs(sys.argv[1]):
        hist = collections.Counter(round(a, 4) for a in r.advances[:-1])
        print(f"p{r.page} {r.font} {r.size:g}pt x={r.x:.3f} y={r.y:.3f} glyphs={len(r.glyphs)} advances: " +
              ", ".join(f"{a:.4f}x{n}" for a, n in sorted(hist.items())))


if __name__ == "__main__":
    main()
