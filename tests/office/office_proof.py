#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""The office proof: symbols set in the barcode fonts by LibreOffice, printed to PDF, rasterised
and read back.

Every symbol of office_samples goes into a Writer document (Flat ODF), a Calc document (Flat
ODF) and Barwright's clipboard RTF. LibreOffice converts them to PDF headless; poppler and
Ghostscript rasterise each PDF at 300 and 600 dpi, antialiased (gray) and bilevel; office_scan
cuts the symbols out and reads them with zbar and zxing-cpp, zxing_wasm_read.mjs with zxing-cpp 3.

The goal per symbol: it reads in every document and every raster with every reader that reads
the `tarnwick --png` drawing of the same symbol at the raster's resolution. The table shows per
symbol and raster which readers read it. The symbols found on the pages are paired with the
placed ones by the size of the tool's drawing (match_crops). Exit status 1 when a symbol is cut
or not found on the pages, when a symbol misses the goal and --strict is given, or when the proof
itself cannot run; 77 when a tool it needs is missing.
"""

import argparse
import collections
import concurrent.futures
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

from office_documents import calc_document, writer_document
from pdf_glyphs import read_runs

READERS = ("zbar", "zxing-cpp", "zxing-wasm")
READER_MARK = {"zbar": "b", "zxing-cpp": "x", "zxing-wasm": "w"}
STACKED = {"databar-stacked", "databar-stacked-omni", "databar-expanded-stacked"}
RASTERS = [(tool, dpi, mode) for tool in ("poppler", "gs") for dpi in (300, 600) for mode in ("gray", "mono")]

# pitch: the font's line height in points at the symbol's size.
Symbol = collections.namedtuple("Symbol", "id symbology font points segments data expected rtf own pitch lines")


def run(cmd, **kw):
    result = subprocess.run(cmd, capture_output=True, text=True, **kw)
    if result.returncode != 0:
        sys.exit(f"office proof: {' '.join(map(str, cmd[:3]))} ... failed ({result.returncode}):\n"
                 f"{result.stdout[-2000:]}{result.stderr[-2000:]}")
    return result.stdout


def read_symbols(path):
    symbols = []
    for row in Path(path).read_text().splitlines():
        f = row.split("\t")
        symbols.append(Symbol(int(f[0]), f[1], f[2], int(f[3]), int(f[4]), bytes.fromhex(f[5]),
                              bytes.fromhex(f[6]), f[7], f[8] == "1", float(f[9]), f[10].split(" ")))
    return symbols


def parse_readings(text):
    """office_scan / zxing_wasm_read output: {file: {reader: [(format, data bytes), ...]}} and
    the crops (file, page file, box x y w h in page pixels)."""
    readings = collections.defaultdict(lambda: collections.defaultdict(list))
    crops = []
    for line in text.splitlines():
        f = line.split("\t")
        if f[0] == "crop":
            crops.append((f[1], f[2], [int(v) for v in f[3].split()]))
        elif len(f) >= 4:
            readings[f[0]][f[1]].append((f[2], bytes.fromhex(f[3])))
        elif len(f) == 3:
            readings[f[0]][f[1]]  # nothing read
    return readings, crops


def read_wasm(args, files):
    """zxing-wasm over the files, in two node processes."""
    if not files:
        return ""
    half = (len(files) + 1) // 2
    procs = [subprocess.Popen(["node", str(args.source / "zxing_wasm_read.mjs"), str(args.node_modules), *part],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
             for part in (files[:half], files[half:]) if part]
    out = ""
    for p in procs:
        o, e = p.communicate()
        if p.returncode != 0:
            sys.exit(f"office proof: zxing-wasm failed:\n{e[-2000:]}")
        out += o
    return out


def family(format_name):
    name = format_name.upper()
    return "code128" if "128" in name else "databar" if "DATABAR" in name else name


def good_readers(readings, symbol):
    """The readers that read the symbol's data, and nothing else of its family (a reader's
    stray reading of another symbology in the bars, such as an EAN add-on, is ignored)."""
    own = "code128" if symbol.symbology in ("code128", "gs1-128") else "databar"
    good = set()
    for reader in READERS:
        read = [data for fmt, data in readings.get(reader, []) if family(fmt) == own]
        if read and all(data == symbol.expected for data in read):
            good.add(reader)
    return good


def reference_readers(args, symbols):
    """The tool's own drawing of every symbol at 300 and 600 dpi, cut out and read as the printed
    pages are (office_scan --crops: the same quiet zone): {(symbol id, dpi): the readers that read
    it} and {(symbol id, dpi): its size (w, h) in pixels}."""
    ref = args.work / "reference"
    env = dict(os.environ, STRIVANE_FONT_DIR=str(args.fonts))
    by_id = {s.id: s for s in symbols}
    readers, sizes = {}, {}
    for dpi in (300, 600):
        (ref / str(dpi)).mkdir(parents=True)
        pngs = {}
        for s in symbols:
            png = ref / f"{s.id:03d}-{dpi}.png"
            cmd = [args.tarnwick, "--png", png, "--font", s.font, "--size", str(s.points), "--dpi", str(dpi)]
            if s.symbology == "databar-expanded-stacked":
                cmd += ["--segments", str(s.segments)]
            run(cmd + [s.symbology, "--", s.data.decode("latin-1")], env=env)
            pngs[str(png)] = s.id
        readings, crops = parse_readings(run([args.office_scan, "--dpi", str(dpi), "--crops", ref / str(dpi), *pngs]))
        if sorted(c[1] for c in crops) != sorted(pngs):
            sys.exit(f"office proof: the tool's drawings at {dpi} dpi are not one symbol each "
                     f"({len(crops)} symbols in {len(pngs)} drawings)")
        wasm, _ = parse_readings(read_wasm(args, [c[0] for c in crops]))
        for crop, png, (_, _, w, h) in crops:
            readings[crop].update(wasm.get(crop, {}))
            readers[(pngs[png], dpi)] = good_readers(readings[crop], by_id[pngs[png]])
            sizes[(pngs[png], dpi)] = (w, h)
    return readers, sizes


def placements_of(symbols):
    """Stacked symbols twice: lines as paragraphs and as line breaks."""
    out = []
    for s in symbols:
        out.append((s, "paragraphs"))
        if s.symbology in STACKED:
            out.append((s, "breaks"))
    return out


def make_documents(args, symbols):
    """The documents, each with its symbols in order: {name: (source files, placements)}."""
    docs = args.work / "documents"
    docs.mkdir()
    placements = placements_of(symbols)
    (docs / "writer.fodt").write_text(writer_document(placements, symbols))
    (docs / "calc.fods").write_text(calc_document(placements, symbols))
    rtfs = sorted({s.rtf for s in symbols}, key=lambda n: int(n.split("-")[1].split(".")[0]))
    for name in rtfs:
        shutil.copy(args.work / "samples" / name, docs / name)
    return {"writer": ([docs / "writer.fodt"], placements),
            "calc": ([docs / "calc.fods"], placements),
            "rtf": ([docs / n for n in rtfs], [(s, "paragraphs") for s in symbols])}


def fontconfig_file(args):
    """A private fontconfig configuration: the system's, plus the build's fonts, and no other
    copy of them (an older installed one would otherwise be as likely to be used)."""
    conf = args.work / "fonts.conf"
    conf.write_text('<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
                    '<include ignore_missing="yes">/etc/fonts/fonts.conf</include>'
                    f'<dir>{args.fonts}</dir><cachedir>{args.work / "fontcache"}</cachedir>'
                    '<selectfont><rejectfont><glob>*/ZLTDataBar*</glob></rejectfont>'
                    f'<acceptfont><glob>{args.fonts}/*</glob></acceptfont></selectfont></fontconfig>\n')
    return conf


def convert(args, documents, env):
    """All documents to PDF in one LibreOffice run; the RTF documents joined into one PDF."""
    out = args.work / "pdf"
    sources = [f for files, _ in documents.values() for f in files]
    profile = (args.work / "lo-profile").resolve().as_uri()
    run(["soffice", f"-env:UserInstallation={profile}", "--headless", "--norestore", "--convert-to", "pdf",
         "--outdir", out, *sources], env=env)
    pdfs = {}
    for name, (files, _) in documents.items():
        parts = [out / (f.stem + ".pdf") for f in files]
        if len(parts) == 1:
            pdfs[name] = parts[0]
        else:
            pdfs[name] = out / f"{name}.pdf"
            run(["pdfunite", *parts, pdfs[name]])
    return pdfs


def runs_per_placement(pdf, placements):
    """Per placement, the most runs of text one of its lines was printed in (Writer splits long
    lines into runs it places apart); None where the PDF's lines do not match the placements."""
    lines = []
    for r in read_runs(pdf):
        key = (r.page, round(r.y, 2))
        if lines and lines[-1][0] == key:
            lines[-1][1] += 1
        else:
            lines.append([key, 1])
    if len(lines) != sum(len(s.lines) for s, _ in placements):
        return [None] * len(placements)
    out, at = [], 0
    for symbol, _ in placements:
        out.append(max(n for _, n in lines[at:at + len(symbol.lines)]))
        at += len(symbol.lines)
    return out


def rasterise(pdf, tool, dpi, mode, outdir):
    outdir.mkdir(parents=True)
    if tool == "poppler":
        run(["pdftoppm", "-r", str(dpi), "-gray" if mode == "gray" else "-mono", pdf, outdir / "page"])
    else:
        device = "pgmraw" if mode == "gray" else "pbmraw"
        alpha = ["-dTextAlphaBits=4", "-dGraphicsAlphaBits=4"] if mode == "gray" else []
        run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", f"-sDEVICE={device}", f"-r{dpi}", *alpha,
             f"-sOutputFile={outdir}/page-%03d.{'pgm' if mode == 'gray' else 'pbm'}", pdf])
    return sorted(str(p) for p in outdir.iterdir())


def scan_raster(args, name, pdf, raster):
    tool, dpi, mode = raster
    outdir = args.work / "raster" / f"{name}-{tool}-{dpi}-{mode}"
    pages = rasterise(pdf, tool, dpi, mode, outdir)
    crops = outdir / "crops"
    crops.mkdir()
    text = run([args.office_scan, "--dpi", str(dpi), "--crops", crops, *pages])
    for p in pages:
        os.remove(p)  # pages at 600 dpi are large; the crops stay for looking at
    return text


def read_documents(args, documents, pdfs):
    """{(document, raster): (crops in order, readings)}."""
    jobs = {}
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for name in documents:
            for raster in RASTERS:
                jobs[(name, raster)] = pool.submit(scan_raster, args, name, pdfs[name], raster)
    results = {}
    all_crops = []
    for key, job in jobs.items():
        readings, crops = parse_readings(job.result())
        results[key] = (crops, readings)
        all_crops += [c[0] for c in crops]
    wasm, _ = parse_readings(read_wasm(args, all_crops))
    for crops, readings in results.values():
        for c in crops:
            readings[c[0]].update(wasm.get(c[0], {}))
    return results


def write_pictures(args, documents, pdfs, results):
    """Per symbology, its symbol in the font made for it as the Writer document prints it at
    600 dpi, with a quiet zone: the README's pictures."""
    crops, _ = results[("writer", ("poppler", 600, "gray"))]
    args.pictures.mkdir(parents=True, exist_ok=True)
    for (symbol, layout), (_, page, (x, y, w, h)) in zip(documents["writer"][1], crops):
        if not symbol.own or layout != "paragraphs":
            continue
        quiet = 60
        out = args.pictures / symbol.symbology
        run(["pdftoppm", "-png", "-gray", "-r", "600", "-singlefile", "-f", Path(page).stem.split("-")[-1],
             "-l", Path(page).stem.split("-")[-1], "-x", str(x - quiet), "-y", str(y - quiet),
             "-W", str(w + 2 * quiet), "-H", str(h + 2 * quiet), pdfs["writer"], out])


def raster_label(raster):
    tool, dpi, mode = raster
    return f"{'pop' if tool == 'poppler' else 'gs'}{dpi}{'a' if mode == 'gray' else 'b'}"


def fits(box, size):
    """A symbol found on a page has the size of the tool's drawing of it: within 6 % and 3 pixels
    (the print rounds glyph advances and line pitches to its own grid)."""
    return all(abs(got - want) <= 3 + 0.06 * want for got, want in zip(box[2:], size))


def match_crops(placements, crops, sizes, dpi):
    """The symbols found on a raster's pages, in order, paired with the placements: per placement
    the next crop of its size (a few crops on at most: those passed over are pieces of cut
    symbols), or None where none is (it was cut, or ran into another); and a line per such
    placement."""
    matched, notes, at = [], [], 0
    for symbol, layout in placements:
        size = sizes[(symbol.id, dpi)]
        ahead = [j for j in range(at, min(at + 3, len(crops))) if fits(crops[j][2], size)]
        if ahead:
            matched.append(crops[ahead[0]])
            at = ahead[0] + 1
            continue
        matched.append(None)
        found = f"{crops[at][2][2]}x{crops[at][2][3]}" if at < len(crops) else "nothing"
        notes.append(f"symbol {symbol.id} ({symbol.symbology}, {symbol.font}, {layout}) cut or not found: "
                     f"{found} pixels where the drawing is {size[0]}x{size[1]}")
    if at < len(crops):
        notes.append(f"{len(crops) - at} symbols found after the last placed one")
    return matched, notes


def evaluate(documents, results, required, sizes, runs):
    """Rows of the table, the list of misses and per document and raster the lines telling which
    symbols were not found."""
    rows, misses, notes = [], [], {}
    for name, (_, placements) in documents.items():
        matched = {}
        for raster in RASTERS:
            matched[raster], notes[(name, raster)] = match_crops(placements, results[(name, raster)][0], sizes,
                                                                 raster[1])
        for i, (symbol, layout) in enumerate(placements):
            cells = [str(runs[name][i] or "?")]
            for raster in RASTERS:
                crop = matched[raster][i]
                got = good_readers(results[(name, raster)][1][crop[0]], symbol) if crop else set()
                missing = required[(symbol.id, raster[1])] - got
                cells.append("".join(READER_MARK[r] for r in READERS if r in got) + ("!" if missing else "")
                             if crop else "?!")
                if missing or not crop:
                    misses.append((name, symbol, layout, raster, missing))
            rows.append((name, symbol, layout, cells))
    return rows, misses, notes


def print_table(rows, required, notes):
    print("Readers: b zbar, x zxing-cpp, w zxing-wasm (zxing-cpp 3); need: those that read the tool's "
          "drawing at 300/600 dpi; '!' one of those did not read it here; '?' no symbol of its size "
          "was found there (see the lines starting '!!').")
    print("Rasters: pop poppler, gs Ghostscript; 300/600 dpi; a antialiased, b bilevel. runs: the most "
          "runs of text a line of the symbol was printed in (1: not split).\n")
    head = f"{'doc':6} {'id':>3} {'symbology':24} {'font':22} {'pt':>3} {'layout':10} {'need':7} runs " + \
        " ".join(f"{raster_label(r):8}" for r in RASTERS)
    print(head)
    for name, symbol, layout, cells in rows:
        need = "/".join("".join(READER_MARK[r] for r in READERS if r in required[(symbol.id, dpi)]) or "-"
                        for dpi in (300, 600))
        print(f"{name:6} {symbol.id:>3} {symbol.symbology:24} {symbol.font:22} {symbol.points:>3} {layout:10} "
              f"{need:7} {cells[0]:>4} " + " ".join(f"{c:8}" for c in cells[1:]))
    for (name, raster), lines in notes.items():
        for line in lines:
            print(f"!! {name} {raster_label(raster)}: {line}")


def print_summary(rows):
    """Per document and symbology: placements read by every reader they need, in every raster."""
    counts = collections.defaultdict(lambda: [0, 0])
    for name, symbol, _, cells in rows:
        c = counts[(symbol.symbology, name)]
        c[0] += sum(1 for cell in cells[1:] if not cell.endswith("!"))
        c[1] += len(cells) - 1
    docs = sorted({d for _, d in counts}, key=["writer", "calc", "rtf"].index)
    print("\nSymbol readings that met the goal, of all (every placement x raster):")
    print(f"{'symbology':26}" + "".join(f"{d:>12}" for d in docs))
    for symbology in dict.fromkeys(s for s, _ in counts):
        print(f"{symbology:26}" + "".join(f"{counts[(symbology, d)][0]:>6} of {counts[(symbology, d)][1]:<3}"
                                          for d in docs))
    split = collections.Counter(name for name, _, _, cells in rows if cells[0] not in ("1", "?", "-"))
    print(f"{'lines split into runs':26}" + "".join(f"{split[d]:>12}" for d in docs))


def parse_args():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--samples", required=True, help="office_samples program")
    p.add_argument("--office-scan", required=True, help="office_scan program")
    p.add_argument("--tarnwick", required=True, help="tarnwick program")
    p.add_argument("--fonts", required=True, type=Path, help="directory of the built fonts")
    p.add_argument("--node-modules", required=True, type=Path, help="where zxing-wasm is installed")
    p.add_argument("--work", required=True, type=Path, help="working directory (emptied first)")
    p.add_argument("--strict", action="store_true", help="fail when a symbol misses the goal")
    p.add_argument("--jobs", type=int, default=2)
    p.add_argument("--pictures", type=Path, help="also write the README's pictures to this directory")
    args = p.parse_args()
    args.source = Path(__file__).resolve().parent
    args.fonts = args.fonts.resolve()
    args.work = args.work.resolve()
    return args


def missing_tool(args):
    for tool in ("soffice", "pdftoppm", "pdfunite", "gs", "node"):
        if not shutil.which(tool):
            return f"{tool} not installed"
    if not (args.node_modules / "zxing-wasm" / "package.json").exists():
        return f"zxing-wasm not installed in {args.node_modules}"
    return None


def printed_runs(documents, pdfs):
    """Per document and placement the runs of text of runs_per_placement; fails the proof when
    LibreOffice printed anything in another font (a barcode font it did not find)."""
    for name, pdf in pdfs.items():
        strangers = {r.font for r in read_runs(pdf) if not r.font.startswith("ZLTDataBar")}
        if strangers:
            sys.exit(f"office proof: LibreOffice printed {name} in {', '.join(sorted(strangers))}, "
                     "not only in the barcode fonts")
    # Calc prints through another text engine, which writes a cell's lines as one run.
    return {name: runs_per_placement(pdfs[name], placements) if name != "calc" else ["-"] * len(placements)
            for name, (_, placements) in documents.items()}


def main():
    args = parse_args()
    missing = missing_tool(args)
    if missing:
        print(f"office proof skipped: {missing} (scripts/test installs it)")
        return 77
    start = time.monotonic()
    shutil.rmtree(args.work, ignore_errors=True)
    (args.work / "samples").mkdir(parents=True)
    run([args.samples, args.work / "samples"])
    symbols = read_symbols(args.work / "samples" / "symbols.tsv")
    required, sizes = reference_readers(args, symbols)
    documents = make_documents(args, symbols)
    env = dict(os.environ, FONTCONFIG_FILE=str(fontconfig_file(args)), SAL_USE_VCLPLUGIN="svp")
    t = time.monotonic()
    pdfs = convert(args, documents, env)
    print(f"LibreOffice conversion: {time.monotonic() - t:.1f} s")
    runs = printed_runs(documents, pdfs)
    results = read_documents(args, documents, pdfs)
    rows, misses, notes = evaluate(documents, results, required, sizes, runs)
    if args.pictures:
        write_pictures(args, documents, pdfs, results)
    print_table(rows, required, notes)
    print_summary(rows)
    for name, symbol, layout, raster, missing in misses:
        print(f"miss: {name} {raster_label(raster)} symbol {symbol.id} ({symbol.symbology}, {symbol.font}, "
              f"{layout}): " + (f"not read by {', '.join(sorted(missing))}" if missing else "not found"))
    print(f"\n{len(misses)} readings missed the goal; whole proof {time.monotonic() - start:.1f} s; "
          f"pictures in {args.work / 'raster'}")
    if any(notes.values()):
        print("symbols were cut or not found on the pages (the lines starting '!!'): the documents' layout fails")
        return 1
    if misses and args.strict:
        return 1
    if misses:
        print("(not strict: the misses are reported, not failed)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
