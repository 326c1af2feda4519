#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Where LibreOffice Writer puts glyphs: for every advance width from 90 to 199 font units (2048
per em) and sizes from 6 to 30 points, a line of 100 equal glyphs is set in a probe font, printed
to PDF, and the advances in the PDF are read back (pdf_glyphs.py).

    placement_grid.py WORKDIR [SIZE...]

prints per size the advance widths that LibreOffice places evenly (every glyph the same distance
from the last) with that distance in points and its difference from the font's own advance, then
the line pitch of single-spaced lines. Needs python3-fonttools, soffice and fontconfig.
"""

import collections
import os
import subprocess
import sys
from pathlib import Path

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

sys.path.insert(0, str(Path(__file__).resolve().parent))
from office_documents import writer_document  # noqa: E402
from pdf_glyphs import read_runs  # noqa: E402

UNITS = range(90, 200)
FAMILY = "Strivane Advance Probe"
Line = collections.namedtuple("Line", "font points lines")


def probe_font(path):
    """Glyph U+0100 + i advances 90 + i units and draws a bar; ascent 4736 units (the 37X fonts' 37
    modules of 128 units), so that the line pitch is not a whole number of points either."""
    fb = FontBuilder(2048, isTTF=True)
    names = [".notdef"] + [f"g{u}" for u in UNITS]
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap({0x100 + u - UNITS.start: f"g{u}" for u in UNITS})
    glyphs, metrics = {".notdef": TTGlyphPen(None).glyph()}, {".notdef": (500, 0)}
    for u in UNITS:
        pen = TTGlyphPen(None)
        pen.moveTo((0, 0)), pen.lineTo((0, 4000)), pen.lineTo((u // 2, 4000)), pen.lineTo((u // 2, 0))
        pen.closePath()
        glyphs[f"g{u}"], metrics[f"g{u}"] = pen.glyph(), (u, 0)
    fb.setupGlyf(glyphs)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=4736, descent=0)
    fb.setupNameTable({"familyName": FAMILY, "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=4736, sTypoDescender=0, sTypoLineGap=0, usWinAscent=4736, usWinDescent=0)
    fb.setupPost()
    fb.save(path)


def main():
    work = Path(sys.argv[1]).resolve()
    sizes = [float(s) for s in sys.argv[2:]] or [s / 2 for s in range(12, 61)]
    (work / "fonts").mkdir(parents=True, exist_ok=True)
    probe_font(str(work / "fonts" / "probe.ttf"))
    conf = work / "fonts.conf"
    conf.write_text('<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
                    '<include ignore_missing="yes">/etc/fonts/fonts.conf</include>'
                    f'<dir>{work / "fonts"}</dir><cachedir>{work / "fontcache"}</cachedir></fontconfig>\n')
    lines = [Line(FAMILY, s, [chr(0x100 + i) * 100 for i in range(len(UNITS))]) for s in sizes]
    (work / "grid.fodt").write_text(writer_document([(line, "paragraphs") for line in lines], lines))
    subprocess.run(["soffice", f"-env:UserInstallation={(work / 'profile').as_uri()}", "--headless",
                    "--convert-to", "pdf", "--outdir", str(work), str(work / "grid.fodt")],
                   check=True, capture_output=True, env=dict(os.environ, FONTCONFIG_FILE=str(conf)))
    runs = [r for r in read_runs(str(work / "grid.pdf")) if len(r.glyphs) > 1]
    if len(runs) != len(sizes) * len(UNITS):
        sys.exit(f"{len(runs)} runs of text in the PDF, {len(sizes) * len(UNITS)} lines set")
    for k, s in enumerate(sizes):
        even = []
        for i, u in enumerate(UNITS):
            advances = {round(a, 4) for a in runs[k * len(UNITS) + i].advances[:-1]}
            if len(advances) == 1:
                a = advances.pop()
                even.append(f"{u}:{a:g}({a - u * s / 2048:+.4f})")
        size_runs = runs[k * len(UNITS):(k + 1) * len(UNITS)]
        pitches = sorted({round(a.y - b.y, 3) for a, b in zip(size_runs, size_runs[1:]) if a.page == b.page})
        print(f"{s:g} pt: pitch {pitches} (font {4736 * s / 2048:.3f}); even: {' '.join(even)}")


if __name__ == "__main__":
    main()
