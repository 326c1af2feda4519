#!/usr/bin/env python3
"""The office proof: symbols set in the barcode fonts by LibreOffice, printed to PDF, rasterised
and read back.

Every symbol of office_samples goes into a Writer document (Flat ODF), a Calc document (Flat
ODF) and Barwright's clipboard RTF. LibreOffice converts them to PDF headless; poppler and
Ghostscript rasterise each PDF at 300 and 600 dpi, antialiased (gray) and bilevel; office_scan
cuts the symbols out and reads them with zbar and zxing-cpp, zxing_wasm_read.mjs with zxing-cpp 3.

The goal per symbol: it reads in every document and every raster with every reader that reads
the `tarnwick --png` drawing of the same symbol at 600 dpi. The table shows per symbol and
raster which readers read it. Exit status 1 when a symbol misses the goal and --strict is given,
or when the proof itself cannot run; 77 when a tool it needs is missing.
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

Symbol = collections.namedtuple("Symbol", "id symbology font points segments data expected rtf lines")


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
                              bytes.fromhex(f[6]), f[7], f[8].split(" ")))
    return symbols


def parse_readings(text):
    """office_scan / zxing_wasm_read output: {file: {reader: [data bytes, ...]}} and the crops."""
    readings = collections.defaultdict(lambda: collections.defaultdict(list))
    crops = []
    for line in text.splitlines():
        f = line.split("\t")
        if f[0] == "crop":
            crops.append(f[1])
        elif len(f) >= 4:
            readings[f[0]][f[1]].append(bytes.fromhex(f[3]))
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


def good_readers(readings, symbol):
    return {r for r in READERS if readings.get(r) and readings[r] == [symbol.expected]}


def reference_readers(args, symbols):
    """Per symbol the readers that read the tool's own drawing of it at 600 dpi."""
    ref = args.work / "reference"
    ref.mkdir()
    files = []
    for s in symbols:
        png = ref / f"{s.id:03d}.png"
        cmd = [args.tarnwick, "--png", png, "--font", s.font, "--size", str(s.points), "--dpi", "600"]
        if s.symbology == "databar-expanded-stacked":
            cmd += ["--segments", str(s.segments)]
        run(cmd + [s.symbology, "--", s.data.decode("latin-1")])
        files.append(str(png))
    readings, _ = parse_readings(run([args.office_scan, *files]) + read_wasm(args, files))
    return {s.id: good_readers(readings[f], s) for s, f in zip(symbols, files)}


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
    """A private fontconfig configuration: the system's, plus the build's fonts."""
    conf = args.work / "fonts.conf"
    conf.write_text('<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
                    '<include ignore_missing="yes">/etc/fonts/fonts.conf</include>'
                    f'<dir>{args.fonts}</dir><cachedir>{args.work / "fontcache"}</cachedir></fontconfig>\n')
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
        all_crops += crops
    wasm, _ = parse_readings(read_wasm(args, all_crops))
    for crops, readings in results.values():
        for c in crops:
            readings[c].update(wasm.get(c, {}))
    return results


def raster_label(raster):
    tool, dpi, mode = raster
    return f"{'pop' if tool == 'poppler' else 'gs'}{dpi}{'a' if mode == 'gray' else 'b'}"


def evaluate(documents, results, required, runs):
    """Rows of the table and the list of misses."""
    rows, misses = [], []
    for name, (_, placements) in documents.items():
        for i, (symbol, layout) in enumerate(placements):
            cells = [str(runs[name][i] or "?")]
            for raster in RASTERS:
                crops, readings = results[(name, raster)]
                got = good_readers(readings[crops[i]], symbol) if i < len(crops) else set()
                missing = required[symbol.id] - got
                cells.append("".join(READER_MARK[r] for r in READERS if r in got) + ("!" if missing else ""))
                if missing:
                    misses.append((name, symbol, layout, raster, missing))
            rows.append((name, symbol, layout, cells))
    return rows, misses


def print_table(rows, required, results, documents):
    print("Readers: b zbar, x zxing-cpp, w zxing-wasm (zxing-cpp 3); '!' a reader that reads the "
          "tool's drawing did not read it here.")
    print("Rasters: pop poppler, gs Ghostscript; 300/600 dpi; a antialiased, b bilevel. runs: the most "
          "runs of text a line of the symbol was printed in (1: not split).\n")
    head = f"{'doc':6} {'id':>3} {'symbology':24} {'font':22} {'pt':>3} {'layout':10} {'need':4} runs " + \
        " ".join(f"{raster_label(r):8}" for r in RASTERS)
    print(head)
    for name, symbol, layout, cells in rows:
        need = "".join(READER_MARK[r] for r in READERS if r in required[symbol.id]) or "-"
        print(f"{name:6} {symbol.id:>3} {symbol.symbology:24} {symbol.font:22} {symbol.points:>3} {layout:10} "
              f"{need:4} {cells[0]:>4} " + " ".join(f"{c:8}" for c in cells[1:]))
    for name, (_, placements) in documents.items():
        for raster in RASTERS:
            found = len(results[(name, raster)][0])
            if found != len(placements):
                print(f"!! {name} {raster_label(raster)}: {found} symbols found on the pages, "
                      f"{len(placements)} placed")


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


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--samples", required=True, help="office_samples program")
    p.add_argument("--office-scan", required=True, help="office_scan program")
    p.add_argument("--tarnwick", required=True, help="tarnwick program")
    p.add_argument("--fonts", required=True, type=Path, help="directory of the built fonts")
    p.add_argument("--node-modules", required=True, type=Path, help="where zxing-wasm is installed")
    p.add_argument("--work", required=True, type=Path, help="working directory (emptied first)")
    p.add_argument("--strict", action="store_true", help="fail when a symbol misses the goal")
    p.add_argument("--jobs", type=int, default=2)
    args = p.parse_args()
    args.source = Path(__file__).resolve().parent
    args.fonts = args.fonts.resolve()
    args.work = args.work.resolve()
    for tool in ("soffice", "pdftoppm", "pdfunite", "gs", "node"):
        if not shutil.which(tool):
            print(f"office proof skipped: {tool} not installed (scripts/test installs it)")
            return 77
    if not (args.node_modules / "zxing-wasm" / "package.json").exists():
        print(f"office proof skipped: zxing-wasm not installed in {args.node_modules} (scripts/test installs it)")
        return 77

    start = time.monotonic()
    shutil.rmtree(args.work, ignore_errors=True)
    (args.work / "samples").mkdir(parents=True)
    run([args.samples, args.work / "samples"])
    symbols = read_symbols(args.work / "samples" / "symbols.tsv")
    required = reference_readers(args, symbols)
    documents = make_documents(args, symbols)
    env = dict(os.environ, FONTCONFIG_FILE=str(fontconfig_file(args)), SAL_USE_VCLPLUGIN="svp")
    t = time.monotonic()
    pdfs = convert(args, documents, env)
    print(f"LibreOffice conversion: {time.monotonic() - t:.1f} s")
    # Calc prints through another text engine, which writes a cell's lines as one run.
    runs = {name: runs_per_placement(pdfs[name], placements) if name != "calc" else ["-"] * len(placements)
            for name, (_, placements) in documents.items()}
    results = read_documents(args, documents, pdfs)
    rows, misses = evaluate(documents, results, required, runs)
    print_table(rows, required, results, documents)
    print_summary(rows)
    print(f"\n{len(misses)} readings missed the goal; whole proof {time.monotonic() - start:.1f} s; "
          f"pictures in {args.work / 'raster'}")
    if misses and args.strict:
        return 1
    if misses:
        print("(not strict: the misses are reported, not failed)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
