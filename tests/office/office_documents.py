# SPDX-License-Identifier: Apache-2.0
"""The documents of the office proof: a Flat ODF text document and a Flat ODF spreadsheet holding
every symbol, each as a user sets it: the symbol's lines in its barcode font at its size, single
line spacing, no space before or after paragraphs, an empty line between two symbols."""

from xml.sax.saxutils import quoteattr

NAMESPACES = (
    'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" '
    'xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" '
    'xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" '
    'office:version="1.3"')

# A4 with 2 cm margins all round.
PAGE = ('fo:page-width="21cm" fo:page-height="29.7cm" fo:margin-top="2cm" fo:margin-bottom="2cm" '
        'fo:margin-left="2cm" fo:margin-right="2cm"')


def _font_faces(symbols):
    families = sorted({s.font for s in symbols})
    faces = "".join(f'<style:font-face style:name={quoteattr(f)} svg:font-family={quoteattr(f)}/>'
                    for f in families)
    return f"<office:font-face-decls>{faces}</office:font-face-decls>"


def _text_style(symbol):
    return f'style:font-name={quoteattr(symbol.font)} fo:font-size="{symbol.points}pt"'


def run_indent_pt(lines, points):
    """The negative right indent (in points) that keeps Writer from splitting the longest of
    `lines` into separately placed runs: Writer's runs hold at most (line width) / (font height
    in twips / 8) characters."""
    return max(len(line) for line in lines) * points / 8


def writer_document(placements, symbols, indent=True):
    """Flat ODF text. `placements`: (symbol, layout) in order; layout "paragraphs" sets each line
    of a symbol as a paragraph, "breaks" all lines as one paragraph with line breaks. With
    `indent`, each font's paragraphs get the negative right indent of run_indent_pt."""
    styles, body, names = [], [], {}
    for symbol, layout in placements:
        key = (symbol.font, symbol.points)
        if key not in names:
            n = len(names)
            names[key] = n
            lines = [line for s, _ in placements if (s.font, s.points) == key for line in s.lines]
            right = f'fo:margin-right="-{run_indent_pt(lines, symbol.points):.1f}pt"' if indent else ""
            # Keep: a symbol's lines stay on one page; last line: may end a page.
            for suffix, keep in (("K", 'fo:keep-with-next="always" fo:keep-together="always"'), ("E", "")):
                styles.append(
                    f'<style:style style:name="S{n}{suffix}" style:family="paragraph">'
                    f'<style:paragraph-properties fo:margin-top="0cm" fo:margin-bottom="0cm" '
                    f'fo:line-height="100%" {right} {keep}/>'
                    f'<style:text-properties {_text_style(symbol)}/></style:style>')
        n = names[key]
        if layout == "breaks":
            joined = "<text:line-break/>".join(symbol.lines)
            body.append(f'<text:p text:style-name="S{n}K">{joined}</text:p>')
        else:
            for line in symbol.lines:
                body.append(f'<text:p text:style-name="S{n}K">{line}</text:p>')
        body.append(f'<text:p text:style-name="S{n}E"/>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<office:document {NAMESPACES} office:mimetype="application/vnd.oasis.opendocument.text">'
            f'{_font_faces(symbols)}<office:automatic-styles>'
            f'<style:page-layout style:name="pm1"><style:page-layout-properties {PAGE}/></style:page-layout>'
            f'{"".join(styles)}</office:automatic-styles>'
            '<office:master-styles><style:master-page style:name="Standard" style:page-layout-name="pm1"/>'
            '</office:master-styles>'
            f'<office:body><office:text>{"".join(body)}</office:text></office:body></office:document>\n')


def calc_document(placements, symbols):
    """Flat ODF spreadsheet: one symbol per cell of column A, an empty row between two; a cell's
    lines as paragraphs (as typed) or, for "breaks", as the lines of one text that a formula
    joins with line feeds (as the Calc add-in's functions return them). Calc does not size the rows of
    a loaded document to their text, so each symbol's row is as high as its lines (the font's
    line pitch each), its text at the top without padding and wrapped (without wrapping Calc
    sets the lines of a text on one line); the column takes the widest symbol of
    the fonts (15.8 cm) and the page prints at 100 %, unscaled."""
    styles, rows, names, heights = [], [], {}, {}
    for symbol, layout in placements:
        key = (symbol.font, symbol.points)
        if key not in names:
            names[key] = len(names)
            styles.append(f'<style:style style:name="ce{names[key]}" style:family="table-cell">'
                          '<style:table-cell-properties style:vertical-align="top" fo:padding="0cm" '
                          'fo:wrap-option="wrap"/><style:paragraph-properties fo:margin-left="0cm"/>'
                          f'<style:text-properties {_text_style(symbol)}/></style:style>')
        height = f"{symbol.pitch * len(symbol.lines):.3f}pt"
        if height not in heights:
            heights[height] = f"ro{len(heights) + 2}"
            styles.append(f'<style:style style:name="{heights[height]}" style:family="table-row">'
                          f'<style:table-row-properties style:row-height="{height}" '
                          'style:use-optimal-row-height="false"/></style:style>')
        if layout == "breaks":
            # Calc keeps a cell's typed lines as paragraphs; lines within one come from a formula.
            text = '&CHAR(10)&'.join('"%s"' % line.replace('"', '""') for line in symbol.lines)
            cell = f'table:formula={quoteattr("of:=" + text)}/>'
        else:
            content = "".join(f"<text:p>{line}</text:p>" for line in symbol.lines)
            cell = f'office:value-type="string">{content}</table:table-cell>'
        rows.append(f'<table:table-row table:style-name="{heights[height]}"><table:table-cell '
                    f'table:style-name="ce{names[key]}" {cell}</table:table-row>')
        rows.append('<table:table-row table:style-name="ro1"><table:table-cell/></table:table-row>')
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<office:document {NAMESPACES} office:mimetype="application/vnd.oasis.opendocument.spreadsheet">'
            f'{_font_faces(symbols)}<office:automatic-styles>'
            '<style:style style:name="co1" style:family="table-column">'
            '<style:table-column-properties style:column-width="17cm"/></style:style>'
            '<style:style style:name="ro1" style:family="table-row">'
            '<style:table-row-properties style:row-height="1.5cm" style:use-optimal-row-height="false"/>'
            '</style:style>'
            '<style:style style:name="ta1" style:family="table" style:master-page-name="Plain">'
            '<style:table-properties table:display="true"/></style:style>'
            f'{"".join(styles)}'
            f'<style:page-layout style:name="pm1"><style:page-layout-properties {PAGE} style:scale-to="100%"/>'
            '</style:page-layout></office:automatic-styles><office:master-styles>'
            '<style:master-page style:name="Plain" style:page-layout-name="pm1">'
            '<style:header style:display="false"/><style:footer style:display="false"/></style:master-page>'
            '</office:master-styles><office:body><office:spreadsheet>'
            '<table:table table:name="Symbols" table:style-name="ta1">'
            '<table:table-column table:style-name="co1"/>'
            f'{"".join(rows)}</table:table></office:spreadsheet></office:body></office:document>\n')
