// tarnwick: barcode font text from the command line.
#include "tallowlib/errors.hpp"
#include "tallowlib/font_text.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include <array>
#include <cstdio>
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
    std::string_view description;
};

constexpr std::array<symbology_name, 4> symbologyNames = {{
    {"databar14", symbology::databar14, "GS1 DataBar-14 Omnidirectional (GTIN digits)"},
    {"databar-limited", symbology::databar_limited, "GS1 DataBar Limited (GTIN digits, indicator 0 or 1)"},
    {"databar-stacked", symbology::databar_stacked, "GS1 DataBar Stacked (GTIN digits)"},
    {"databar-stacked-omni", symbology::databar_stacked_omni, "GS1 DataBar Stacked Omnidirectional (GTIN digits)"},
}};

std::optional<symbology> symbologyFromName(std::string_view name)
{
    for (const auto& s : symbologyNames)
        if (s.name == name)
            return s.value;
    return std::nullopt;
}

void printHelp()
{
    std::cout << "usage: tarnwick [--raw] [--human] SYMBOLOGY DATA\n"
                 "       tarnwick check-digit DIGITS\n\n"
                 "Prints the text that, set in a barcode font, draws the barcode.\n\n"
                 "Symbologies:\n";
    for (const auto& s : symbologyNames)
        std::printf("  %-22s %s\n", std::string(s.name).c_str(), std::string(s.description).c_str());
}

int fail(const std::string& message)
{
    std::cerr << "tarnwick: " << message << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    bool raw = false;
    bool human = false;
    std::vector<std::string_view> positional;
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
        else if (arg.size() > 1 && arg[0] == '-' && arg != "-")
            return fail("unknown option " + std::string(arg) + " (see --help)");
        else
            positional.push_back(arg);
    }
    if (positional.size() == 2 && positional[0] == "check-digit") {
        std::cout << gs1Mod10(positional[1]) << '\n';
        return 0;
    }
    if (positional.size() != 2)
        return fail("expected SYMBOLOGY DATA (see --help)");
    const auto sym = symbologyFromName(positional[0]);
    if (!sym)
        return fail("unknown symbology " + std::string(positional[0]) + " (see --help)");
    if (positional[1].empty())
        return fail("no data to encode");

    try {
        std::vector<std::string> lines;
        std::string humanReadable;
        const std::string data(positional[1]);
        encodeFontLines(*sym, data.c_str(), 22, lines, &humanReadable);
        if (raw)
            std::cout << joinLines(lines) << '\n';
        else
            for (const auto& line : lines)
                std::cout << line << '\n';
        if (human)
            std::cout << humanReadable << '\n';
    } catch (const barlib_error& e) {
        return fail(e.message);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return 0;
}
