# SPDX-License-Identifier: Apache-2.0
"""Draws the README's picture of a label sheet: a column of GTINs, a column of =DATABAR14(A2)
cells set in ZLT DataBar 34X and, for the reader, each cell's formula; printed by a headless
Calc with the add-in, its grid and headings, and rasterised.

    sheet_picture.py OXT FONT_DIR OUTPUT.png
"""

import os
import shutil
import subprocess
import sys
import tempfile

import office

GTINS = ["04012345678901", "09501101530003", "00614141999996", "05012345678900", "07612345678900",
         "04006381333931"]

SHEET = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.3"
 office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:font-face-decls><style:font-face style:name="ZLT DataBar 34X" svg:font-family="ZLT DataBar 34X"/>
</office:font-face-decls>
<office:automatic-styles>
<number:text-style style:name="Ntext"><number:text-content/></number:text-style>
<style:style style:name="gtin" style:family="table-cell" style:data-style-name="Ntext">
 <style:table-cell-properties style:vertical-align="middle"/></style:style>
<style:style style:name="head" style:family="table-cell"><style:text-properties fo:font-weight="bold"/></style:style>
<style:style style:name="bar" style:family="table-cell">
 <style:table-cell-properties style:vertical-align="middle" fo:padding-left="0.3cm"/>
 <style:text-properties style:font-name="ZLT DataBar 34X" fo:font-size="12pt"/></style:style>
<style:style style:name="formula" style:family="table-cell">
 <style:table-cell-properties style:vertical-align="middle"/>
 <style:text-properties fo:color="#555555"/></style:style>
<style:style style:name="coA" style:family="table-column"><style:table-column-properties style:column-width="3.4cm"/></style:style>
<style:style style:name="coB" style:family="table-column"><style:table-column-properties style:column-width="4.8cm"/></style:style>
<style:style style:name="coC" style:family="table-column"><style:table-column-properties style:column-width="3.4cm"/></style:style>
<style:style style:name="ro" style:family="table-row"><style:table-row-properties style:row-height="1.8cm"/></style:style>
<style:style style:name="ta" style:family="table" style:master-page-name="Picture"><style:table-properties table:display="true"/></style:style>
<style:page-layout style:name="pm"><style:page-layout-properties fo:page-width="21cm" fo:page-height="29.7cm"
 fo:margin="1cm" style:print="grid headers"/></style:page-layout>
</office:automatic-styles>
<office:master-styles><style:master-page style:name="Picture" style:page-layout-name="pm">
<style:header style:display="false"/><style:footer style:display="false"/></style:master-page></office:master-styles>
<office:body><office:spreadsheet><table:table table:name="Labels" table:style-name="ta">
<table:table-column table:style-name="coA"/><table:table-column table:style-name="coB"/>
<table:table-column table:style-name="coC"/>
<table:table-row><table:table-cell table:style-name="head" office:value-type="string"><text:p>GTIN</text:p></table:table-cell>
<table:table-cell table:style-name="head" office:value-type="string"><text:p>Barcode</text:p></table:table-cell>
<table:table-cell table:style-name="head" office:value-type="string"><text:p>Formula in B</text:p></table:table-cell></table:table-row>
%s
</table:table></office:spreadsheet></office:body></office:document>
"""

ROW = ('<table:table-row table:style-name="ro">'
       '<table:table-cell table:style-name="gtin" office:value-type="string"><text:p>%s</text:p></table:table-cell>'
       '<table:table-cell table:style-name="bar" table:formula="of:=org.strivane.calc.BarcodeFunctions.databar14([.A%d])"/>'
       '<table:table-cell table:style-name="formula" table:formula="of:=FORMULA([.B%d])"/></table:table-row>')


def main(oxt, font_dir, output):
    work = tempfile.mkdtemp(prefix="calc-picture-")
    office.install_extension(work, oxt)
    sheet = os.path.join(work, "labels.fods")
    with open(sheet, "w", encoding="utf-8") as out:
        out.write(SHEET % "\n".join(ROW % (g, i + 2, i + 2) for i, g in enumerate(GTINS)))
    pdf = os.path.join(work, "labels.pdf")
    with office.Office(work, office.fonts_environment(work, font_dir)) as lo:
        document = lo.load(sheet)
        document.calculateAll()
        document.storeToURL(office.uno.systemPathToFileUrl(pdf), office.properties(FilterName="calc_pdf_Export"))
        document.close(True)
    # The top left of the page at 120 dpi: the headings and the filled cells.
    subprocess.run(["pdftoppm", "-r", "120", "-gray", "-png", "-singlefile", "-f", "1", "-l", "1", "-x", "40",
                    "-y", "40", "-W", "640", "-H", "580", pdf, os.path.splitext(output)[0]], check=True)
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main(*sys.argv[1:4])
