// tarnwick: barcode font text from the command line.
#include "tallowlib/errors.hpp"
#include "tallowlib/font_text.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include "strivane_render/symbol_png.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace Kelbrin::Tallowlib;

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
    std::cout << "usage: tarnwick [--raw] [--human] [--segments N]\n"
                 "                [--png FILE [--font NAME] [--size POINTS] [--dpi N]] SYMBOLOGY DATA\n"
                 "       tarnwick check-digit DIGITS\n\n"
                 "Prints the text that, set in a barcode font, draws the barcode.\n"
                 "--png writes that text set in the barcode font as a picture (default font: the one\n"
                 "made for the symbology; default size: whole dots per module near 10 mils; 300 dpi).\n\n"
                 "Symbologies:\n";
    for (const auto& s : symbologyNames)
        std::printf("  %-22s %s\n", std::string(s.name).c_str(), std::string(s.description).c_str());
}

int fail(const std::string& message)
{
    std::cerr << "tarnwick: " << message << '\n';
    return 1;
}

// The value after option argv[i], or nullptr when it is missing.
const char* optionValue(int& i, int argc, char** argv) { return i + 1 < argc ? argv[++i] : nullptr; }

bool parseNumber(const char* text, double& value)
{
    char* end = nullptr;
    value = text ? std::strtod(text, &end) : 0.0;
    return text && end != text && *end == '\0';
}

}  // namespace

int main(int argc, char** argv)
{
    bool raw = false;
    bool human = false;
    std::optional<int> segments;
    std::vector<std::string_view> positional;
    Kelbrin::Render::png_request png;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        }
        if (arg == "--raw")
            raw = true;
        else if (arg == "--human")
            human = true;
        else if (arg == "--segments") {
            if (i + 1 >= argc)
                return fail("--segments needs a number");
            char* end = nullptr;
            const long v = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || v < -1000000 || v > 1000000)
                return fail("--segments needs a number");
            segments = static_cast<int>(v);
        }
        else if (arg == "--png" || arg == "--font") {
            const char* value = optionValue(i, argc, argv);
            if (!value)
                return fail(std::string(arg) + " needs a value");
            (arg == "--png" ? png.path : png.font) = value;
        }
        else if (arg == "--size" || arg == "--dpi") {
            double v = 0.0;
            if (!parseNumber(optionValue(i, argc, argv), v) || !(v > 0.0 && v <= 10000.0))
                return fail(std::string(arg) + " needs a positive number");
            if (arg == "--size")
                png.points = v;
            else
                png.dpi = static_cast<int>(v);
        }
        else if (arg.size() > 1 && arg[0] == '-' && arg != "-")
            return fail("unknown option " + std::string(arg) + " (see --help)");
        else
            positional.push_back(arg);
    }
    if (png.path.empty() && (!png.font.empty() || png.points || png.dpi))
        return fail("--font, --size and --dpi go with --png");
    if (positional.size() == 2 && positional[0] == "check-digit") {
        std::cout << gs1Mod10(positional[1]) << '\n';
        return 0;
    }
    if (positional.size() != 2)
        return fail("expected SYMBOLOGY DATA (see --help)");
    const symbology_name* sym = symbologyFromName(positional[0]);
    if (!sym)
        return fail("unknown symbology " + std::string(positional[0]) + " (see --help)");
    if (positional[1].empty())
        return fail("no data to encode");

    try {
        std::vector<std::string> lines;
        std::string humanReadable;
        const std::string data(positional[1]);
        const int segmentsPerRow = sym->stacked ? segments.value_or(4) : 22;
        encodeFontLines(sym->value, data.c_str(), segmentsPerRow, lines, &humanReadable);
        if (raw)
            std::cout << joinLines(lines) << '\n';
        else
            for (const auto& line : lines)
                std::cout << line << '\n';
        if (human)
            std::cout << humanReadable << '\n';
        if (!png.path.empty())
            Kelbrin::Render::writeSymbolPng(sym->value, lines, png);
    } catch (const barlib_error& e) {
        return fail(e.message);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return 0;
}
