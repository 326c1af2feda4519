# SPDX-License-Identifier: Apache-2.0
"""Every barcode the add-in made, printed by Calc and read back through the office proof
(tests/office/office_proof.py): a sheet holds each valid seeded case's formula in its font at the
template's size (make_template.POINTS), LibreOffice prints it to PDF, poppler and Ghostscript
rasterise it at 300 and 600 dpi, antialiased and bilevel (the office proof's rasters), and zbar,
zxing-cpp and zxing-wasm read the symbols. Every symbol must be found at the size of the tool's drawing and read in some raster by
a reader that reads that drawing; strict, as the office proof with STRIVANE_OFFICE_PROOF_STRICT,
by every such reader in every raster. The misses are listed either way.
"""

import argparse
import os
import re
import sys
from pathlib import Path
from xml.sax.saxutils import quoteattr

import barcode_cases
import office

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "office"))
import office_proof  # noqa: E402

sys.path.insert(0, str(HERE.parent.parent / "calc"))
import make_template  # noqa: E402

POINTS = make_template.POINTS
FONT_FILES = {"ZLT DataBar 34X": "ZLTDataBar34X.ttf", "ZLT DataBar 13X": "ZLTDataBar13X.ttf"}
CELL_STYLES = {"ZLT DataBar 34X": "bar34", "ZLT DataBar 13X": "bar13"}
FONTS = {"CODE128": "ZLT DataBar 34X", "GS1_128": "ZLT DataBar 13X", "DATABAR14": "ZLT DataBar 34X",
         "DATABARLIMITED": "ZLT DataBar 13X", "DATABARSTACKED": "ZLT DataBar 13X",
         "DATABARSTACKEDOMNI": "ZLT DataBar 34X", "DATABAREXPANDED": "ZLT DataBar 34X"}
RASTERS = office_proof.RASTERS
# AIs whose first two digits fix the element's length: no GS after them.
PREDEFINED = ("00", "01", "02", "03", "04", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
              "31", "32", "33", "34", "35", "36", "41")


def element_data(bracketed):
    """(AI)value... to what a reader returns: AIs and values, GS after a variable-length one."""
    pieces = re.findall(r"\((\d+)\)([^(]*)", bracketed)
    out = ""
    for i, (ai, value) in enumerate(pieces):
        out += ai + value
        if i + 1 < len(pieces) and ai[:2] not in PREDEFINED:
            out += "\x1d"
    return out.encode("latin-1")


def code128_data(text):
    """The bytes a Code 128 symbol holds: "~@".."~Z" control characters, "~dNNN" a byte."""
    text = re.sub(r"~([@-Z])", lambda m: chr(ord(m.group(1)) - 64), text)
    text = re.sub(r"~d(\d{3})", lambda m: chr(int(m.group(1))) if int(m.group(1)) < 256 else m.group(0), text)
    return text.encode("latin-1")


def expected_data(case, data):
    if case.function == "CODE128":
        return code128_data(data)
    if case.function in ("GS1_128", "DATABAREXPANDED"):
        return element_data(data)
    digits = "".join(c for c in data.replace("(01)", "", 1) if c.isdigit())
    return ("01" + (digits if len(digits) == 14 else digits + barcode_cases.check_digit(digits))).encode()


def symbols_of(cases, font_dir):
    """The office proof's Symbol of every case that gives a barcode, in order."""
    symbols = []
    for case in cases:
        if case.text is None or case.function == "MOD10":
            continue
        data = barcode_cases.tool_data(case)
        stacked = case.function == "DATABAREXPANDED" and case.segments is not None
        symbology = "databar-expanded-stacked" if stacked else barcode_cases.TOOL_SYMBOLOGY[case.function]
        font = FONTS[case.function]
        pitch = make_template.line_height_points(os.path.join(font_dir, FONT_FILES[font]))
        symbols.append(office_proof.Symbol(len(symbols), symbology, font, POINTS,
                                           int(case.segments) if stacked else 22, data.encode("latin-1"),
                                           expected_data(case, data), "", False, pitch, case.text.split("\n")))
    return symbols


def print_sheet(path, cases, font_dir):
    """Column A (hidden) the data, column B the formula in the symbol's font, a blank line's
    height below each symbol so that the scanner tells them apart."""
    styles, rows = [], []
    for i, case in enumerate(c for c in cases if c.text is not None and c.function != "MOD10"):
        font = FONTS[case.function]
        line = make_template.line_height_points(os.path.join(font_dir, FONT_FILES[font]))
        styles.append('<style:style style:name="ro%d" style:family="table-row"><style:table-row-properties '
                      'style:row-height="%.3fpt" style:use-optimal-row-height="false"/></style:style>'
                      % (i, line * (case.text.count("\n") + 2)))
        segments = ";%d" % case.segments if case.segments is not None else ""
        formula = "of:=org.strivane.calc.BarcodeFunctions.%s([.A%d]%s)" % (
            barcode_cases.METHODS[case.function], i + 1, segments)
        rows.append('<table:table-row table:style-name="ro%d">%s<table:table-cell table:style-name="%s" '
                    'table:formula=%s/></table:table-row>' % (
                        i, office.value_cell(case.data), CELL_STYLES[font], quoteattr(formula)))
    for font in FONT_FILES:
        styles.append('<style:style style:name="%s" style:family="table-cell"><style:table-cell-properties '
                      'fo:wrap-option="wrap" style:vertical-align="top" fo:padding="0cm" fo:padding-left="0.5cm"/>'
                      '<style:text-properties style:font-name=%s fo:font-size="%dpt"/></style:style>'
                      % (CELL_STYLES[font], quoteattr(font), POINTS))
    with open(path, "w", encoding="utf-8") as out:
        out.write(office.flat_spreadsheet("".join(styles), "Print", (
            '<table:table-column table:visibility="collapse"/><table:table-column table:style-name="wide"/>'
            + "".join(rows)), fonts=FONT_FILES))


def check_readings(lo, cases, work, font_dir, tarnwick, node_modules, office_scan, strict):
    """The printed symbols, read: a list of failures. Skipped (with a note) without the office
    proof's scanner or zxing-wasm, which scripts/test installs."""
    if not office_scan or not (Path(node_modules) / "zxing-wasm" / "package.json").exists():
        print("printed symbols not read: office_scan or zxing-wasm (%s) missing" % node_modules)
        return []
    sheet = os.path.join(work, "print.fods")
    print_sheet(sheet, cases, font_dir)
    document = lo.load(sheet)
    document.calculateAll()
    pdf = Path(work) / "print.pdf"
    document.storeToURL(office.uno.systemPathToFileUrl(str(pdf)), office.properties(FilterName="calc_pdf_Export"))
    document.close(True)
    args = argparse.Namespace(work=Path(work), tarnwick=tarnwick, office_scan=office_scan,
                              node_modules=Path(node_modules), source=HERE.parent / "office", fonts=Path(font_dir))
    symbols = symbols_of(cases, font_dir)
    required, sizes = office_proof.reference_readers(args, symbols)
    placements = [(s, "formula") for s in symbols]
    failures, read = [], set()
    for raster in RASTERS:
        readings, crops = office_proof.parse_readings(office_proof.scan_raster(args, "calc", pdf, raster))
        wasm, _ = office_proof.parse_readings(office_proof.read_wasm(args, [c[0] for c in crops]))
        matched, notes = office_proof.match_crops(placements, crops, sizes, raster[1])
        failures += ["%s: %s" % (office_proof.raster_label(raster), note) for note in notes]
        for symbol, crop in zip(symbols, matched):
            if crop is None:
                continue
            readings[crop[0]].update(wasm.get(crop[0], {}))
            got = office_proof.good_readers(readings[crop[0]], symbol)
            need = required[(symbol.id, raster[1])]
            if got & need or (got and not need):
                read.add(symbol.id)
            if need - got:
                miss = "%s: %s %r read by %s, the tool's drawing by %s" % (
                    office_proof.raster_label(raster), symbol.symbology, symbol.data, sorted(got), sorted(need))
                if strict:
                    failures.append(miss)
                else:
                    print("miss " + miss)
    failures += ["%s %r: no reader read it in any raster" % (s.symbology, s.data) for s in symbols
                 if s.id not in read]
    print("%d symbols printed by Calc, %d of them read" % (len(symbols), len(read)))
    return failures
