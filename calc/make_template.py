# SPDX-License-Identifier: Apache-2.0
"""Writes strivane-labels.ots, the Calc template of label sheets for the barcode functions.

    make_template.py FONT_DIR OUTPUT

One sheet per symbol: DataBar-14, GS1-128 and DataBar Expanded Stacked. Column A takes the data
(formatted as text, so that a GTIN keeps its leading zeros), column B shows the barcode in its
font at the recommended size. Calc has no line spacing for cells: a stacked symbol's lines are
set one font line apart, so the row heights come from the font's line height (its vertical
metrics, read from the font file), with a light gap below each label.
"""

import os
import sys
import zipfile
from xml.sax.saxutils import escape, quoteattr

from fontTools.ttLib import TTFont

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "fonts"))
from generate_fonts import read_geometry  # noqa: E402

# The recommended size of the 34X and 13X fonts, from the fonts' geometry table.
POINTS = {spec.family: spec.points for spec in read_geometry()}["ZLT DataBar 34X"]
GAP_LINES = 0.5  # light space below a label, in font lines
PAGE_POINTS = (29.7 - 2) * 72 / 2.54  # A4 less 1 cm margins
HEAD_POINTS = 17  # the header row, 0.6 cm

ADDIN = "org.strivane.calc.BarcodeFunctions."
# (sheet, font family, font file, formula of the data cell, lines a label may take, header, samples)
SHEETS = [
    ("DataBar-14", "ZLT DataBar 34X", "ZLTDataBar34X.ttf", ADDIN + "databar14(%s)", 1, "GTIN",
     ["0401234567890", "09501101530003", "(01)12345678901231"]),
    ("GS1-128", "ZLT DataBar 13X", "ZLTDataBar13X.ttf", ADDIN + "gs1Code128(%s)", 1, "Element strings",
     ["(01)98898765432106(15)991231", "(00)106141411234567897", "(01)09501101530003(10)ABC123"]),
    ("Expanded Stacked", "ZLT DataBar 34X", "ZLTDataBar34X.ttf", ADDIN + "databarExpanded(%s;4)", 4,
     "Element strings", ["(01)98898765432106(3103)001750(15)991231", "(01)09501101530003(17)261231(10)AB12",
                         "(01)98898765432106(3922)1995"]),
]

NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
      'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
      'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
      'xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" '
      'xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" '
      'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
      'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.3"')
MIMETYPE = "application/vnd.oasis.opendocument.spreadsheet-template"


def line_height_points(font_path):
    """The font's line height at POINTS: what LibreOffice advances from one line to the next
    (typographic metrics when USE_TYPO_METRICS is set, else hhea)."""
    font = TTFont(font_path)
    os2, hhea = font["OS/2"], font["hhea"]
    if os2.fsSelection & (1 << 7):
        units = os2.sTypoAscender - os2.sTypoDescender + os2.sTypoLineGap
    else:
        units = hhea.ascent - hhea.descent + hhea.lineGap
    return POINTS * units / font["head"].unitsPerEm


def label_height(font_dir, index):
    """Points of a label row: the symbol's lines, set one font line apart, and a gap."""
    _, _, file, _, lines, _, _ = SHEETS[index]
    return line_height_points("%s/%s" % (font_dir, file)) * (lines + GAP_LINES)


def styles(font_dir):
    faces = sorted({s[1] for s in SHEETS})
    out = ['<office:font-face-decls>'] + [
        '<style:font-face style:name=%s svg:font-family=%s/>' % (quoteattr(f), quoteattr(f)) for f in faces]
    out += ['</office:font-face-decls><office:automatic-styles>',
            '<number:text-style style:name="Ntext"><number:text-content/></number:text-style>',
            '<style:style style:name="data" style:family="table-cell" style:data-style-name="Ntext">'
            '<style:table-cell-properties style:vertical-align="top"/></style:style>',
            '<style:style style:name="head" style:family="table-cell"><style:text-properties fo:font-weight="bold"/>'
            '</style:style>',
            '<style:style style:name="coA" style:family="table-column">'
            '<style:table-column-properties style:column-width="7cm"/></style:style>',
            '<style:style style:name="coB" style:family="table-column">'
            '<style:table-column-properties style:column-width="11cm"/></style:style>',
            '<style:style style:name="roHead" style:family="table-row">'
            '<style:table-row-properties style:row-height="0.6cm" style:use-optimal-row-height="false"/></style:style>']
    for i, (_, family, file, _, lines, _, _) in enumerate(SHEETS):
        height = label_height(font_dir, i)
        out += ['<style:style style:name="bar%d" style:family="table-cell">'
                '<style:table-cell-properties fo:wrap-option="wrap" style:vertical-align="top" fo:padding="0cm"'
                ' fo:padding-left="0.5cm"/>'
                '<style:paragraph-properties fo:margin-left="0cm"/>'
                '<style:text-properties style:font-name=%s fo:font-size="%dpt"/></style:style>'
                % (i, quoteattr(family), POINTS),
                '<style:style style:name="ro%d" style:family="table-row"><style:table-row-properties '
                'style:row-height="%.3fpt" style:use-optimal-row-height="false"/></style:style>' % (i, height)]
    out += ['<style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="21cm" '
            'fo:page-height="29.7cm" fo:margin="1cm"/></style:page-layout>',
            '<style:style style:name="ta1" style:family="table" style:master-page-name="Labels">'
            '<style:table-properties table:display="true"/></style:style>',
            '</office:automatic-styles>']
    return "".join(out)


def text_cell(style, text):
    return '<table:table-cell table:style-name="%s" office:value-type="string"><text:p>%s</text:p>' \
           '</table:table-cell>' % (style, escape(text))


def sheet(font_dir, index, name, formula, header, samples):
    """A page of labels: as many label rows as fit on it below the header."""
    label_rows = int((PAGE_POINTS - HEAD_POINTS) // label_height(font_dir, index))
    rows = ['<table:table table:name=%s table:style-name="ta1">' % quoteattr(name),
            '<table:table-column table:style-name="coA" table:default-cell-style-name="data"/>',
            '<table:table-column table:style-name="coB" table:default-cell-style-name="bar%d"/>' % index,
            '<table:table-row table:style-name="roHead">%s%s</table:table-row>'
            % (text_cell("head", header), text_cell("head", "Barcode"))]
    for r in range(2, label_rows + 2):
        data = text_cell("data", samples[r - 2]) if r - 2 < len(samples) else \
            '<table:table-cell table:style-name="data"/>'
        cell = '<table:table-cell table:style-name="bar%d" table:formula=%s/>' % (
            index, quoteattr('of:=IF([.A%d]="";"";%s)' % (r, formula % ("[.A%d]" % r))))
        rows.append('<table:table-row table:style-name="ro%d">%s%s</table:table-row>' % (index, data, cell))
    return "".join(rows) + "</table:table>"


def content(font_dir):
    tables = "".join(sheet(font_dir, i, s[0], s[3], s[5], s[6]) for i, s in enumerate(SHEETS))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<office:document-content %s>%s'
            '<office:body><office:spreadsheet>%s</office:spreadsheet></office:body></office:document-content>\n'
            % (NS, styles(font_dir), tables))


STYLES = ('<?xml version="1.0" encoding="UTF-8"?>\n<office:document-styles %s><office:automatic-styles>'
          '<style:page-layout style:name="pm1"><style:page-layout-properties fo:page-width="21cm" '
          'fo:page-height="29.7cm" fo:margin="1cm"/></style:page-layout></office:automatic-styles>'
          '<office:master-styles><style:master-page style:name="Labels" style:page-layout-name="pm1">'
          '<style:header style:display="false"/><style:footer style:display="false"/></style:master-page>'
          '</office:master-styles></office:document-styles>\n' % NS)

MANIFEST = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" '
            'manifest:version="1.3">'
            '<manifest:file-entry manifest:full-path="/" manifest:media-type="%s"/>'
            '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
            '<manifest:file-entry manifest:full-path="styles.xml" manifest:media-type="text/xml"/>'
            '</manifest:manifest>\n' % MIMETYPE)


def main(font_dir, output):
    # An ODF package starts with its media type, stored uncompressed. Entries carry a fixed
    # date, so that the same sources give the same file.
    members = [("mimetype", MIMETYPE, zipfile.ZIP_STORED), ("content.xml", content(font_dir), zipfile.ZIP_DEFLATED),
               ("styles.xml", STYLES, zipfile.ZIP_DEFLATED), ("META-INF/manifest.xml", MANIFEST, zipfile.ZIP_DEFLATED)]
    with zipfile.ZipFile(output, "w") as package:
        for name, text, compression in members:
            package.writestr(zipfile.ZipInfo(name), text, compress_type=compression)


if __name__ == "__main__":
    main(*sys.argv[1:3])
