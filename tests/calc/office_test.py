# SPDX-License-Identifier: Apache-2.0
"""The Calc add-in in a headless LibreOffice: installed with unopkg into a fresh user profile, a
generated sheet of formulas over the seeded inputs is recalculated, exported to CSV and compared
with the tarnwick tool; refused inputs must show Err:502 and BARCODEERROR the reason. Also: the
Function Wizard's descriptions, recalculation after an input changes, and a saved and reopened
document.

    office_test.py OXT TEMPLATE TARNWICK FONT_DIR WORK_DIR OFFICE_SCAN NODE_MODULES strict|lenient

The symbols are also printed and read back (print_proof.py).
"""

import csv
import os
import shutil
import subprocess
import sys
import tempfile
import time
from xml.sax.saxutils import quoteattr

import barcode_cases
import office
import print_proof

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "calc"))
import make_template  # noqa: E402  (the template's sheets, fonts and sizes)

ADDIN = "org.strivane.calc.BarcodeFunctions."
METHODS = dict(barcode_cases.METHODS, BARCODEERROR="barcodeError")
TEXT_CATEGORY = 10  # the Function Wizard's "Text" category
ILLEGAL_ARGUMENT = 502


def formula_cell(function, arguments):
    formula = "of:=%s%s(%s)" % (ADDIN, METHODS[function], ";".join(arguments))
    return "<table:table-cell table:formula=%s/>" % quoteattr(formula)


def row(number, case):
    """A: function, B: data, C: segments, D: the function, E: BARCODEERROR."""
    data, segments = "[.B%d]" % number, "[.C%d]" % number
    arguments = [data] + ([segments] if case.segments is not None else [])
    diagnostic = [data, "[.A%d]" % number] + ([segments] if case.segments is not None else [])
    return "<table:table-row>%s%s%s%s%s</table:table-row>" % (
        office.value_cell(case.function), office.value_cell(case.data), office.value_cell(case.segments),
        formula_cell(case.function, arguments), formula_cell("BARCODEERROR", diagnostic))


def write_sheet(path, cases):
    rows = "\n".join(row(i + 1, case) for i, case in enumerate(cases))
    with open(path, "w", encoding="utf-8") as sheet:
        sheet.write(office.flat_spreadsheet("", "Barcodes", rows))


def compare_csv(path, cases):
    """Column D holds the tool's text or Err:502, column E the refusal's reason or nothing."""
    with open(path, encoding="utf-8", newline="") as exported:
        lines = list(csv.reader(exported))
    failures = []
    if len(lines) != len(cases):
        return ["CSV has %d rows, expected %d" % (len(lines), len(cases))]
    for case, line in zip(cases, lines):
        shown, reason = line[3], line[4] if len(line) > 4 else ""
        expected = case.text if case.text is not None else "Err:%d" % ILLEGAL_ARGUMENT
        label = "%s(%r; %r)" % (case.function, case.data, case.segments)
        if shown != expected:
            failures.append("%s shows %r, expected %r" % (label, shown, expected))
        if (reason == "") != (case.text is not None) or (case.message and reason != case.message):
            failures.append("BARCODEERROR of %s is %r, expected %r" % (label, reason, case.message))
    return failures


def compare_cells(sheet, cases, what):
    """The formula cells through the API: error code 502 exactly where the tool refuses."""
    failures = []
    for i, case in enumerate(cases):
        cell = sheet.getCellByPosition(3, i)
        error, text = cell.getError(), cell.getString()
        if case.text is None and error != ILLEGAL_ARGUMENT:
            failures.append("%s: %s(%r) has error %d, expected 502" % (what, case.function, case.data, error))
        elif case.text is not None and (error != 0 or text != case.text):
            failures.append("%s: %s(%r) is %r (error %d)" % (what, case.function, case.data, text, error))
    return failures


def check_function_wizard(office_):
    """Every function with a description, the Text category and described arguments."""
    descriptions = office_.create("com.sun.star.sheet.FunctionDescriptions")
    found = {}
    for i in range(descriptions.getCount()):
        entry = {p.Name: p.Value for p in descriptions.getByIndex(i)}
        found[entry["Name"]] = entry
    failures = []
    for name in METHODS:
        entry = found.get(name)
        if entry is None:
            failures.append("%s is not in the Function Wizard" % name)
            continue
        if not entry["Description"] or entry["Category"] != TEXT_CATEGORY:
            failures.append("%s: description %r, category %r" % (name, entry["Description"], entry["Category"]))
        for argument in entry["Arguments"]:
            if not argument.Name or not argument.Description:
                failures.append("%s: argument without a name or description" % name)
    expanded = found.get("DATABAREXPANDED")
    if expanded and [a.Name for a in expanded["Arguments"]] != ["data", "segments"]:
        failures.append("DATABAREXPANDED arguments: %r" % [a.Name for a in expanded["Arguments"]])
    return failures


def check_recalculation(sheet, cases):
    """A changed input cell recalculates its barcode."""
    first, second = [i for i, c in enumerate(cases) if c.function == "DATABAR14" and c.text][:2]
    sheet.getCellByPosition(1, first).setString(cases[second].data)
    shown = sheet.getCellByPosition(3, first).getString()
    if shown != cases[second].text:
        return ["after a new GTIN in B%d, D%d shows %r" % (first + 1, first + 1, shown)]
    sheet.getCellByPosition(1, first).setString(cases[first].data)
    return []


TEMPLATE_TOOL = [("databar14",), ("gs1-128",), ("--segments", "4", "databar-expanded-stacked")]
DARK = 128
DPI = 300


def tool_text(tarnwick, arguments, data):
    run = subprocess.run([tarnwick, *arguments, "--", data], capture_output=True, encoding="utf-8", check=True)
    return run.stdout.rstrip("\n")


def check_template_cells(document, tarnwick):
    """The template's samples give the tool's text; its empty label rows give empty text."""
    failures = []
    for index, entry in enumerate(make_template.SHEETS):
        sheet, samples = document.Sheets.getByIndex(index), entry[6]
        for row, data in enumerate(samples, start=1):
            shown = sheet.getCellByPosition(1, row).getString()
            if shown != tool_text(tarnwick, TEMPLATE_TOOL[index], data):
                failures.append("template %s B%d: %r" % (entry[0], row + 1, shown))
        empty = sheet.getCellByPosition(1, len(samples) + 1)
        if empty.getString() != "" or empty.getError() != 0:
            failures.append("template %s: an empty label row shows %r" % (entry[0], empty.getString()))
    return failures


def read_pgm(path):
    """Width, height and the 8-bit pixels of a binary PGM."""
    with open(path, "rb") as picture:
        data = picture.read()
    fields, position = [], 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[position + 1:position + 1 + width * height]


def dark_bands(path, left, top):
    """(first, last) pixel rows of each run of rows with a dark pixel right of `left`, below `top`.
    A single light row does not end a run: see line_gaps."""
    width, height, pixels = read_pgm(path)
    bands, start, light = [], None, 0
    for y in range(top, height):
        dark = min(pixels[y * width + left:(y + 1) * width]) < DARK
        if dark:
            start = y if start is None else start
            light = 0
        elif start is not None:
            light += 1
            if light == 2:
                bands.append((start, y - 2))
                start = None
    return bands


def line_gaps(pdf, page, left_points, line):
    """Light space between consecutive lines of the symbols on a page, in points: the pitch of
    the lines of font text (from their word boxes) less the font's line height; negative where
    they overlap. Calc lays lines out in whole twips and the PDF's text positions are rounded:
    measured up to 0.02 points either way."""
    boxes = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), "-bbox", pdf, "-"],
                           capture_output=True, encoding="utf-8", check=True).stdout
    tops = sorted({float(w.split('yMin="')[1].split('"')[0]) for w in boxes.split("<word ")[1:]
                   if float(w.split('xMin="')[1].split('"')[0]) > left_points})
    return [b - a - line for a, b in zip(tops, tops[1:]) if b - a < 1.25 * line]


TWIP = 0.05


def check_template_print(document, work, font_dir, tarnwick):
    """The template printed: on each sheet's page every sample is one band of dark rows (its
    stacked lines touch, up to Calc's rounding to twips), and lines lie at most a twip apart or
    overlap by at most a twip (the fonts' dark cells reach past the line)."""
    pdf = os.path.join(work, "labels.pdf")
    document.storeToURL(office.uno.systemPathToFileUrl(pdf), office.properties(FilterName="calc_pdf_Export"))
    cm = DPI / 2.54
    failures = []
    for index, entry in enumerate(make_template.SHEETS):
        page = os.path.join(work, "labels-%d" % index)
        subprocess.run(["pdftoppm", "-r", str(DPI), "-gray", "-singlefile", "-f", str(index + 1), "-l",
                        str(index + 1), pdf, page], check=True)
        # Right of the data column, below the header row.
        bands = dark_bands(page + ".pgm", int(8.2 * cm), int(1.65 * cm))
        line = make_template.line_height_points(os.path.join(font_dir, entry[2]))
        lines = [tool_text(tarnwick, TEMPLATE_TOOL[index], d).count("\n") + 1 for d in entry[6]]
        if len(bands) != len(lines) or any(last - first + 1 < (n - 1) * line * DPI / 72
                                           for (first, last), n in zip(bands, lines)):
            failures.append("template %s printed: dark bands %r for symbols of %r lines of %.1f px"
                            % (entry[0], bands, lines, line * DPI / 72))
        gaps = line_gaps(pdf, index + 1, 8.2 * 72 / 2.54, line)
        if len(gaps) != sum(n - 1 for n in lines) or any(not -TWIP <= g <= TWIP for g in gaps):
            failures.append("template %s printed: gaps between lines %r pt" % (entry[0], gaps))
        elif gaps:
            print("template %s: lines %.3f pt apart" % (entry[0], max(gaps)))
    return failures


def main(oxt, template, tarnwick, font_dir, work_dir, office_scan, node_modules, strictness):
    started = time.monotonic()
    cases = barcode_cases.with_expectations(barcode_cases.seeded_cases(), tarnwick)
    os.makedirs(work_dir, exist_ok=True)
    work = tempfile.mkdtemp(prefix="calc-office-", dir=work_dir)
    # The profile where unopkg's user (nobody, when run as root) can reach it.
    profile = tempfile.mkdtemp(prefix="strivane-calc-profile-")
    office.install_extension(profile, oxt)
    sheet_path = os.path.join(work, "barcodes.fods")
    write_sheet(sheet_path, cases)
    failures = []
    with office.Office(profile, office.fonts_environment(work, font_dir)) as lo:
        document = lo.load(sheet_path)
        document.calculateAll()
        csv_path = os.path.join(work, "barcodes.csv")
        document.storeToURL(office.uno.systemPathToFileUrl(csv_path), office.properties(
            FilterName="Text - txt - csv (StarCalc)", FilterOptions="44,34,76,1"))
        failures += compare_csv(csv_path, cases)
        sheet = document.Sheets.getByIndex(0)
        failures += compare_cells(sheet, cases, "loaded")
        failures += check_recalculation(sheet, cases)
        failures += check_function_wizard(lo)
        saved = os.path.join(work, "barcodes.ods")
        document.storeToURL(office.uno.systemPathToFileUrl(saved), office.properties(FilterName="calc8"))
        document.close(True)
        reopened = lo.load(saved)
        reopened.calculateAll()
        failures += compare_cells(reopened.Sheets.getByIndex(0), cases, "reopened")
        reopened.close(True)
        labels = lo.load(template)
        labels.calculateAll()
        failures += check_template_cells(labels, tarnwick)
        failures += check_template_print(labels, work, font_dir, tarnwick)
        labels.close(True)
        print("sheet, template: %.1f s" % (time.monotonic() - started))
        failures += print_proof.check_readings(lo, cases, work, font_dir, tarnwick, node_modules, office_scan,
                                               strictness == "strict")
    for failure in failures:
        print(failure)
    print("%d cases, %d failures, %.1f s" % (len(cases), len(failures), time.monotonic() - started))
    shutil.rmtree(profile, ignore_errors=True)
    if not failures:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:9]))
