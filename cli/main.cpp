// tarnwick: barcode font text from the command line.
#include "svg_writer.hpp"
#include "symbol_geometry.hpp"

#include "tallowlib/errors.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include "strivane_render/symbol_png.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tarnwick::Cli;

namespace {

struct symbology_name {
    std::string_view name;
    symbology value;
    bool stacked;  // DataBar Expanded Stacked: takes --segments
    std::string_view description;
};

constexpr std::array<symbology_name, 8> symbologyNames = {{
    {"databar14", symbology::databar14, false, "GS1 DataBar-14 Omnidirectional (GTIN digits)"},
    {"databar-limited", symbology::databar_limited, false, "GS1 DataBar Limited (GTIN digits, indicator 0 or 1)"},
    {"databar-stacked", symbology::databar_stacked, false, "GS1 DataBar Stacked (GTIN digits)"},
    {"databar-stacked-omni", symbology::databar_stacked_omni, false,
     "GS1 DataBar Stacked Omnidirectional (GTIN digits)"},
    {"databar-expanded", symbology::databar_expanded, false, "GS1 DataBar Expanded, one row ((AI)data...)"},
    {"databar-expanded-stacked", symbology::databar_expanded, true,
     "GS1 DataBar Expanded Stacked ((AI)data..., --segments N, default 4)"},
    {"code128", symbology::code128, false, "Code 128 (any bytes, ~ escapes)"},
    {"gs1-128", symbology::gs1_128, false, "GS1-128 ((AI)data...)"},
}};

const symbology_name* symbologyFromName(std::string_view name)
{
    for (const auto& s : symbologyNames)
        if (s.name == name)
            return &s;
    return nullptr;
}

void printHelp()
{
    std::cout << "usage: tarnwick [--raw] [--human] [--modules] [--svg FILE] [--segments N]\n"
                 "                [--png FILE [--font NAME] [--size POINTS] [--dpi N]] SYMBOLOGY DATA\n"
                 "       tarnwick check-digit DIGITS\n\n"
                 "Prints the text that, set in a barcode font, draws the barcode.\n\n"
                 "  --raw         print the lines joined by CR LF, exactly as the library returns them\n"
                 "  --human       also print the human-readable text\n"
                 "  --modules     print the module rows (0 light, 1 dark) instead of the font text\n"
                 "  --svg FILE    also write an SVG drawing of the symbol to FILE\n"
                 "  --segments N  segments per row of DataBar Expanded Stacked\n"
                 "  --png FILE    also write the text set in the barcode font as a PNG picture:\n"
                 "    --font NAME     font family or file (default: the font made for the symbology)\n"
                 "    --size POINTS   default: whole dots per module, nearest 10 mils\n"
                 "    --dpi N         default: 300 (96 for the 96dpi fonts)\n\n"
                 "Symbologies:\n";
    for (const auto& s : symbologyNames)
        std::printf("  %-26s %s\n", std::string(s.name).c_str(), std::string(s.description).c_str());
}

// One line on stderr; the error text of the core may not end in a line break.
int fail(std::string message)
{
    for (char& c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::cerr << "tarnwick: " << message << '\n';
    return 1;
}

struct options {
    bool raw = false;
    bool human = false;
    bool modules = false;
    std::optional<std::string> svgPath;
    std::optional<int> segments;
    std::vector<std::string_view> positional;
    Kelbrin::Render::png_request png;
};

// The value after option argv[i], or nullptr when it is missing.
const char* optionValue(int& i, int argc, char** argv) { return i + 1 < argc ? argv[++i] : nullptr; }

bool parseNumber(const char* text, double& value)
{
    char* end = nullptr;
    value = text ? std::strtod(text, &end) : 0.0;
    return text && end != text && *end == '\0';
}

bool isDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

int encodeAndPrint(const symbology_name& sym, const std::string& data, const options& opt)
{
    std::vector<std::string> lines;
    std::string humanReadable;
    const int segmentsPerRow = sym.stacked ? opt.segments.value_or(4) : 22;
    encodeFontLines(sym.value, data.c_str(), segmentsPerRow, lines, &humanReadable);
    const std::string joined = joinLines(lines);

    if (opt.modules || opt.svgPath) {
        const module_rows rows = readFontText(joined);
        if (opt.svgPath)
            writeFile(*opt.svgPath, svgDocument(rows.rows, {rowHeights(sym.value, rows), quietZoneModules}));
        if (opt.modules)
            for (const auto& row : rows.rows)
                std::cout << row << '\n';
    }
    if (!opt.modules) {
        if (opt.raw)
            std::cout << joined << '\n';
        else
            for (const auto& line : lines)
                std::cout << line << '\n';
    }
    if (opt.human)
        std::cout << humanReadable << '\n';
    if (!opt.png.path.empty())
        Kelbrin::Render::writeSymbolPng(sym.value, lines, opt.png);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    options opt;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        }
        if (arg == "--raw")
            opt.raw = true;
        else if (arg == "--human")
            opt.human = true;
        else if (arg == "--modules")
            opt.modules = true;
        else if (arg == "--svg") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return fail("--svg needs a file name");
            opt.svgPath = argv[++i];
        }
        else if (arg == "--segments") {
            if (i + 1 >= argc)
                return fail("--segments needs a number");
            char* end = nullptr;
            const long v = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || v < -1000000 || v > 1000000)
                return fail("--segments needs a number");
            opt.segments = static_cast<int>(v);
        }
        else if (arg == "--png" || arg == "--font") {
            const char* value = optionValue(i, argc, argv);
            if (!value)
                return fail(std::string(arg) + " needs a value");
            (arg == "--png" ? opt.png.path : opt.png.font) = value;
        }
        else if (arg == "--size" || arg == "--dpi") {
            double v = 0.0;
            if (!parseNumber(optionValue(i, argc, argv), v) || !(v > 0.0 && v <= 10000.0))
                return fail(std::string(arg) + " needs a positive number");
            if (arg == "--size")
                opt.png.points = v;
            else
                opt.png.dpi = static_cast<int>(v);
        }
        else if (arg.size() > 1 && arg[0] == '-' && arg != "-")
            return fail("unknown option " + std::string(arg) + " (see --help)");
        else
            opt.positional.push_back(arg);
    }
    if (opt.png.path.empty() && (!opt.png.font.empty() || opt.png.points || opt.png.dpi))
        return fail("--font, --size and --dpi go with --png");
    if (opt.positional.size() == 2 && opt.positional[0] == "check-digit") {
        if (!isDigits(opt.positional[1]))
            return fail("check-digit needs a text of digits 0 to 9");
        std::cout << gs1Mod10(opt.positional[1]) << '\n';
        return 0;
    }
    if (opt.positional.size() != 2)
        return fail("expected SYMBOLOGY DATA (see --help)");
    const symbology_name* sym = symbologyFromName(opt.positional[0]);
    if (!sym)
        return fail("unknown symbology " + std::string(opt.positional[0]) + " (see --help)");
    if (opt.positional[1].empty())
        return fail("no data to encode");

    try {
        return encodeAndPrint(*sym, std::string(opt.positional[1]), opt);
    } catch (const barlib_error& e) {
        return fail(e.message);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
