#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Writes Strivane's five barcode fonts as TrueType files.

Usage: generate_fonts.py OUTPUT_DIR [VERSION]

Every font draws the same characters, those of the encoder's alphabet
(core/src/font/font_alphabet.hpp): width characters ("a".."i" light runs of
1..9 modules, "1".."9" dark runs) and column characters (one module wide, a
stack of three or four light/dark cells). The fonts differ in their geometry,
read from the table in core/include/tallowlib/font_geometry.hpp: module width
in font units, line height, and how far dark cells reach into the next glyph
(bleed) and past the line's top and bottom (overhang). Output is byte-for-byte
the same on every run: no timestamps, no dictionary-order dependence.
"""

import os
import re
import sys
from dataclasses import dataclass

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

# 2026-01-01 00:00:00 UTC in seconds since 1904-01-01, the head table's epoch.
FIXED_TIMESTAMP = 3850329600
VENDOR_ID = "STRV"
COPYRIGHT = "Copyright (c) 2026, the Strivane authors"
LICENSE_TEXT = ("This Font Software is licensed under the SIL Open Font License, "
                "Version 1.1.")
LICENSE_URL = "https://openfontlicense.org"

# Cell heights in modules, top to bottom, for each kind of column character.
TALL_FOUR_CELLS = (1, 1, 1, 34)
SHORT_FOUR_CELLS = (1, 1, 1, 10)
TALL_THREE_CELLS = (15, 1, 21)
SHORT_THREE_CELLS = (5, 1, 7)


@dataclass(frozen=True)
class FontSpec:
    family: str
    file_name: str
    module: int        # one module in font units
    line_height: int   # in modules
    bleed: int         # font units a dark cell reaches into the next glyph
    overhang: int      # font units the top and bottom cells reach past the line
    points: int        # the recommended size

    @property
    def tall(self):
        return self.line_height == 37

    @property
    def bar_height(self):
        """Height of the width characters' bars, in modules: the data-cell zone."""
        return 34 if self.tall else self.line_height

    @property
    def four_cells(self):
        return TALL_FOUR_CELLS if self.tall else SHORT_FOUR_CELLS

    @property
    def three_cells(self):
        return TALL_THREE_CELLS if self.tall else SHORT_THREE_CELLS


SOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir)
GEOMETRY_HEADER = os.path.join(SOURCE_DIR, "core", "include", "tallowlib", "font_geometry.hpp")
GEOMETRY_ROW = re.compile(r'\{"([^"]+)", "([^"]+)", (\d+), (\d+), (\d+), (\d+), (\d+), (?:true|false)\}')
UNITS_PER_EM_LINE = re.compile(r"inline constexpr int fontUnitsPerEm = (\d+);")


def table_rows(path, name, row, row_marker):
    """The matches of `row` between the "// NAME begin" and "// NAME end" comments of a header;
    every line holding `row_marker` there must match."""
    with open(path, encoding="utf-8") as header:
        text = header.read()
    table = text.split(f"// {name} begin", 1)[-1].split(f"// {name} end", 1)[0]
    rows = row.findall(table)
    if not rows or len(rows) != table.count(row_marker):
        raise ValueError(f"no readable {name} in {path}")
    return rows


def read_geometry(path=GEOMETRY_HEADER):
    """A FontSpec for every row between the table's marker comments, in order."""
    rows = table_rows(path, "font geometry", GEOMETRY_ROW, '{"')
    specs = [FontSpec(family, file_name, int(m), int(line), int(bleed), int(overhang), int(points))
             for family, file_name, m, line, bleed, overhang, points in rows]
    for spec in specs:
        if spec.line_height not in (13, 37) or not 0 <= 2 * spec.bleed < spec.module \
                or not 0 <= 2 * spec.overhang < spec.module:
            raise ValueError(f"unsupported geometry for {spec.family}")
    return specs


def read_units_per_em(path=GEOMETRY_HEADER):
    with open(path, encoding="utf-8") as header:
        found = UNITS_PER_EM_LINE.findall(header.read())
    if len(found) != 1:
        raise ValueError(f"no fontUnitsPerEm in {path}")
    return int(found[0])


UNITS_PER_EM = read_units_per_em()


# The fonts' characters and what each draws: the glyph table of the encoder's own alphabet.
ALPHABET_HEADER = os.path.join(SOURCE_DIR, "core", "src", "font", "font_alphabet.hpp")
GLYPH_ROW = re.compile(r"\{'(.)', glyph_kind::(space|bar|four_cells|three_cells), (0b[01]+|\d+)\}")


def read_alphabet(path=ALPHABET_HEADER):
    """(character, kind, value) for every row between the table's marker comments, in order."""
    rows = table_rows(path, "glyph table", GLYPH_ROW, "glyph_kind::")
    return [(char, kind, int(value, 0)) for char, kind, value in rows]


def glyph_name(char):
    """Standard glyph names: letters stand for themselves, digits are spelled out."""
    digits = ("zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine")
    return digits[int(char)] if char.isdigit() else char


def dark_spans(cells, heights):
    """Vertical spans (bottom, top) in modules of the dark cells, neighbours merged."""
    spans = []
    top = sum(heights)
    for state, height in zip(cells, heights):
        bottom = top - height
        if state == "1":
            if spans and spans[-1][0] == top:
                spans[-1] = (bottom, spans[-1][1])
            else:
                spans.append((bottom, top))
        top = bottom
    return spans


def draw_rectangles(rectangles):
    """A glyph of axis-aligned rectangles (x0, y0, x1, y1) in font units, drawn clockwise."""
    pen = TTGlyphPen(None)
    for x0, y0, x1, y1 in rectangles:
        pen.moveTo((x0, y0))
        pen.lineTo((x0, y1))
        pen.lineTo((x1, y1))
        pen.lineTo((x1, y0))
        pen.closePath()
    return pen.glyph()


def dark_rectangle(spec, x_modules, bottom, top, bleed):
    """One dark cell or bar in font units: `x_modules` wide plus `bleed` to the right, from
    `bottom` to `top` modules above the baseline, reaching past the line's bottom or top by the
    overhang where it meets them."""
    m = spec.module
    y0 = bottom * m - (spec.overhang if bottom == 0 else 0)
    y1 = top * m + (spec.overhang if top == spec.line_height else 0)
    return (0, y0, x_modules * m + bleed, y1)


def glyph_table(spec):
    """(character, glyph name, advance in font units, rectangles) for every glyph drawn."""
    m = spec.module
    table = []
    drawn = set()
    for char, kind, value in read_alphabet():
        if char in drawn:
            continue  # a character draws what its first row says
        drawn.add(char)
        if kind == "space":
            table.append((char, value * m, []))
        elif kind == "bar":
            # A bar's neighbours are spaces: no seam can open, so no bleed (which readers that
            # match single element widths, as for Code 128, would see as bar gain).
            table.append((char, value * m, [dark_rectangle(spec, value, 0, spec.bar_height, 0)]))
        else:
            four = kind == "four_cells"
            cells, heights = (f"{value:04b}", spec.four_cells) if four else (f"{value:03b}", spec.three_cells)
            # Column glyphs stand side by side: the bleed closes the seam between two dark cells.
            table.append((char, m, [dark_rectangle(spec, 1, b, t, spec.bleed)
                                    for b, t in dark_spans(cells, heights)]))
    return [(char, glyph_name(char), advance, rects) for char, advance, rects in table]


def font_revision(version):
    """head.fontRevision from "major.minor[...]"."""
    parts = (version.split(".") + ["0"])[:2]
    return int(parts[0]) + int(parts[1]) / 1000.0


def name_strings(spec, version):
    ps_name = spec.family.replace(" ", "") + "-Regular"
    return {
        "copyright": COPYRIGHT,
        "familyName": spec.family,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"Strivane: {spec.family}: {version}",
        "fullName": spec.family,
        "version": f"Version {font_revision(version):.3f}",
        "psName": ps_name,
        "manufacturer": "Strivane",
        "description": f"Barcode font: one module is {spec.module} units, "
                       f"lines are {spec.line_height} modules high, dark cells bleed {spec.bleed} units.",
        "licenseDescription": LICENSE_TEXT,
        "licenseInfoURL": LICENSE_URL,
    }


def build_font(spec, version):
    glyphs = glyph_table(spec)
    m = spec.module
    line_height = spec.line_height * m
    order = [".notdef", "space"] + [name for _, name, _, _ in glyphs]

    outlines = {".notdef": draw_rectangles([]), "space": draw_rectangles([])}
    metrics = {".notdef": (m, 0), "space": (m, 0)}
    cmap = {ord(" "): "space"}
    for char, name, advance, rects in glyphs:
        outlines[name] = draw_rectangles(rects)
        metrics[name] = (advance, min((r[0] for r in rects), default=0))
        cmap[ord(char)] = name

    fb = FontBuilder(UNITS_PER_EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=line_height, descent=0, lineGap=0)
    fb.setupNameTable(name_strings(spec, version), mac=False)
    fb.setupOS2(
        version=4,
        achVendID=VENDOR_ID,
        fsType=0,                      # installable embedding
        fsSelection=0x40 | 0x80,       # REGULAR | USE_TYPO_METRICS
        sTypoAscender=line_height, sTypoDescender=0, sTypoLineGap=0,
        # The row pitch is the typographic line; the Windows metrics, which clip glyphs in some
        # applications, also cover the overhang.
        usWinAscent=line_height + spec.overhang, usWinDescent=spec.overhang,
        sxHeight=line_height, sCapHeight=line_height,
        usWeightClass=400,
        ulUnicodeRange1=1,             # Basic Latin
        ulCodePageRange1=1,            # Latin 1: some applications list only fonts that claim a code page
    )
    fb.setupPost(isFixedPitch=0)
    fb.setupHead(unitsPerEm=UNITS_PER_EM, fontRevision=font_revision(version),
                 created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP)
    # Keep head.modified at the fixed value on save: same bytes every build.
    fb.font.recalcTimestamp = False
    return fb.font


def write_font(spec, out_dir, version):
    font = build_font(spec, version)
    path = os.path.join(out_dir, spec.file_name)
    font.save(path, reorderTables=True)
    return path


def main(argv):
    if len(argv) not in (2, 3):
        sys.stderr.write(__doc__.split("\n\n")[1] + "\n")
        return 2
    out_dir = argv[1]
    version = argv[2] if len(argv) == 3 else "1.0"
    os.makedirs(out_dir, exist_ok=True)
    for spec in read_geometry():
        write_font(spec, out_dir, version)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
