// SPDX-License-Identifier: Apache-2.0
// tarnwick: barcode font text from the command line.
#include "batch.hpp"
#include "data_input.hpp"
#include "options.hpp"
#include "svg_writer.hpp"
#include "symbol_geometry.hpp"

#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include "strivane_render/symbol_png.hpp"

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tarnwick::Cli;

namespace {

bool isDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The SVG drawing and the PNG picture, to their files or to standard output.
void writePictures(const symbology_name& sym, const std::vector<std::string>& lines, const std::string& joined,
                   const options& opt)
{
    if (opt.svgPath) {
        const module_rows rows = readFontText(joined);
        const std::string svg = svgDocument(rows.rows, {rowHeights(sym.value, rows), quietZoneModules});
        opt.svgToStdout() ? writeStandardOutput(svg) : writeFile(*opt.svgPath, svg);
    }
    if (!opt.png.path.empty()) {
        std::vector<std::uint8_t> png;
        Kelbrin::Render::symbol_png_maker().make(sym.value, lines, opt.png, png);
        const std::string_view bytes(reinterpret_cast<const char*>(png.data()), png.size());
        opt.pngToStdout() ? writeStandardOutput(bytes) : writeFile(opt.png.path, bytes);
    }
}

void encodeAndPrint(const symbology_name& sym, const std::string& data, const options& opt)
{
    std::vector<std::string> lines;
    std::string humanReadable;
    const int segmentsPerRow = sym.stacked ? opt.segments.value_or(4) : 22;
    encodeFontLines(sym.value, data.c_str(), segmentsPerRow, lines, &humanReadable);
    const std::string joined = joinLines(lines);

    writePictures(sym, lines, joined, opt);
    if (opt.svgToStdout() || opt.pngToStdout())
        return;
    if (opt.modules)
        for (const auto& row : readFontText(joined).rows)
            std::cout << row << '\n';
    else if (opt.raw)
        std::cout << joined << '\n';
    else
        for (const auto& line : lines)
            std::cout << line << '\n';
    if (opt.human)
        std::cout << humanReadable << '\n';
    if (!std::cout.flush())
        throw output_error("cannot write to standard output");
}

int checkDigit(std::string_view digits)
{
    if (!isDigits(digits))
        return fail("check-digit needs a text of digits 0 to 9", badData);
    std::cout << gs1Mod10(digits) << '\n';
    return std::cout.flush() ? 0 : fail("cannot write to standard output", outputError);
}

// 13 digits for a DataBar GTIN that are also an EAN-13 with its check digit: the symbol holds
// another GTIN than that EAN-13's, so say how to write the EAN-13.
void noteEan13LookAlike(const symbology_name& sym, const std::string& data)
{
    const std::string ean13 = ean13LookAlike(sym.value, data.c_str());
    if (!ean13.empty())
        std::cerr << "tarnwick: note: 13 digits are read as an indicator digit and 12 digits; for the EAN-13 " << ean13
                  << " write 0" << ean13 << '\n';
}

// Encodes DATA (positional argument 1; "-" before "--": one line of standard input) and
// prints; every failure is one line on stderr and its exit status.
int run(const symbology_name& sym, const options& opt)
{
    try {
        std::string data(opt.positional[1]);
        if (opt.isStandardInput(1) && !readLine(stdin, data))
            data.clear();
        if (data.empty())
            return fail("no data to encode", badData);
        data_converter converter(opt.rawBytes);
        const std::string bytes = converter.bytesOf(data);
        encodeAndPrint(sym, bytes, opt);
        noteEan13LookAlike(sym, bytes);
        return 0;
    } catch (...) {
        const refusal r = currentRefusal();
        return fail(r.message, r.status);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    options opt;
    if (const auto stop = parseOptions(argc, argv, opt))
        return *stop;
    if (!opt.batchInput && opt.positional.size() == 2 && opt.positional[0] == "check-digit")
        return checkDigit(opt.positional[1]);
    if (opt.positional.size() != (opt.batchInput ? 1u : 2u))
        return fail(opt.batchInput ? "expected SYMBOLOGY after --batch (see --help)"
                                   : "expected SYMBOLOGY DATA (see --help)",
                    usageError);
    const symbology_name* sym = symbologyFromName(opt.positional[0]);
    if (!sym)
        return fail("unknown symbology " + std::string(opt.positional[0]) + " (see --help)", usageError);
    if (opt.segments && !sym->stacked)
        return fail("--segments goes with databar-expanded-stacked only", usageError);
    return opt.batchInput ? runBatch(*sym, opt) : run(*sym, opt);
}
