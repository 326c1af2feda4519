// SPDX-License-Identifier: Apache-2.0
#include "options.hpp"

#include "batch.hpp"

#include "strivane_render/barcode_fonts.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace Kelbrin::Tarnwick::Cli {

using Kelbrin::Tallowlib::symbology;

namespace {

struct symbology_help {
    symbology_name name;
    std::string_view example;  // shell-quoted arguments after the symbology
};

constexpr std::array<symbology_help, 8> symbologies = {{
    {{"databar14", symbology::databar14, false, "GS1 DataBar-14 Omnidirectional (GTIN*)"}, "1234567890123"},
    {{"databar-limited", symbology::databar_limited, false, "GS1 DataBar Limited (GTIN*, indicator digit 0 or 1)"},
     "0512345678901"},
    {{"databar-stacked", symbology::databar_stacked, false, "GS1 DataBar Stacked (GTIN*)"}, "1234567890123"},
    {{"databar-stacked-omni", symbology::databar_stacked_omni, false,
      "GS1 DataBar Stacked Omnidirectional (GTIN*)"},
     "1234567890123"},
    {{"databar-expanded", symbology::databar_expanded, false, "GS1 DataBar Expanded, one row ((AI)data...)"},
     "'(01)98898765432106(3103)001750'"},
    {{"databar-expanded-stacked", symbology::databar_expanded, true,
      "GS1 DataBar Expanded Stacked ((AI)data..., --segments N, default 4)"},
     "--segments 4 '(01)98898765432106(3103)001750(15)991231'"},
    {{"code128", symbology::code128, false, "Code 128 (any bytes, ~ escapes)"}, "-- '-42 Main St~M~J'"},
    {{"gs1-128", symbology::gs1_128, false, "GS1-128 ((AI)data...)"}, "'(01)98898765432106(15)991231'"},
}};

void printUsage()
{
    std::cout << "Usage: tarnwick [OPTION]... SYMBOLOGY DATA\n"
                 "       tarnwick [OPTION]... --batch[=FILE] SYMBOLOGY\n"
                 "       tarnwick check-digit DIGITS\n\n"
                 "Prints the text that, set in a barcode font, draws the barcode. DATA \"-\" reads one\n"
                 "line from standard input. check-digit prints the GS1 mod-10 check digit of DIGITS.\n\n"
                 "  --raw           print the lines joined by CR LF, exactly as the library returns them\n"
                 "  --human         also print the human-readable text\n"
                 "  --modules       print the module rows (0 light, 1 dark) instead of the font text\n"
                 "  --raw-bytes     take DATA as bytes (default: UTF-8, converted to Latin-1)\n"
                 "  --segments N    segments per row of DataBar Expanded Stacked, 2 to 22\n"
                 "  --svg FILE      also write an SVG drawing of the symbol to FILE\n"
                 "  --png FILE      also write the text set in the barcode font as a PNG picture:\n"
                 "    --font NAME     font family or file (default: the font made for the symbology)\n"
                 "    --size POINTS   default: the font's recommended size (8 for 34X and 13X)\n"
                 "    --dpi N         default: 300 (96 for the 96dpi fonts)\n"
                 "                  FILE \"-\" writes the picture to standard output instead of the text\n"
                 "  --batch[=FILE]  encode every line of FILE (\"-\" or none: standard input); prints per\n"
                 "                  line the input, a tab, then the font text with each line break as\n"
                 "                  \\r\\n, or \"error: \" and the reason. Tab, CR, LF and backslash show as\n"
                 "                  \\t, \\r, \\n and \\\\. With --svg or --png, FILE may hold %n (the line\n"
                 "                  number), %d (the data, at most 100 bytes, each byte but A-Z a-z 0-9\n"
                 "                  - _ . made _, and a leading . too) and %% (a %); a name an earlier\n"
                 "                  line made is an error for its line, never overwritten\n"
                 "  --              end of options: SYMBOLOGY and DATA follow, even if they start with -\n"
                 "                  (a DATA of \"-\" after it is the text \"-\")\n"
                 "  --help          print this help and exit\n"
                 "  --version       print the version and exit\n\n";
}

void printSymbologies()
{
    std::cout << "Symbologies, each with the font it is set in (12 points prints 10-mil modules at\n"
                 "300, 600 and 1200 dpi; ZLT DataBar EM at 24 points):\n";
    for (const auto& s : symbologies)
        std::printf("  %-26s %s\n  %-26s font \"%s\"\n", std::string(s.name.name).c_str(),
                    std::string(s.name.description).c_str(), "",
                    std::string(Kelbrin::Render::fontForSymbology(s.name.value).family).c_str());
    std::cout << "\nExamples:\n";
    for (const auto& s : symbologies)
        std::printf("  tarnwick %s %s\n", std::string(s.name.name).c_str(), std::string(s.example).c_str());
    std::cout << "  tarnwick --png label.png --dpi 600 gs1-128 '(01)98898765432106'\n"
                 "  tarnwick --batch=gtins.txt --png 'gtin-%d.png' databar14\n"
                 "  echo 1234567890123 | tarnwick --svg - databar14 - > symbol.svg\n\n";
    std::fflush(stdout);
}

void printHelp()
{
    printUsage();
    printSymbologies();
    std::cout << "* GTIN: 13 digits (indicator digit and 12 digits; the check digit is computed) or 14\n"
                 "  (the check digit is verified), blanks and a leading (01) allowed. An EAN-13 with its\n"
                 "  check digit is written with a leading 0: 4006381333931 as 04006381333931.\n\n";
    std::cout << "Escapes in code128 data (any other \"~\" is the character ~ itself):\n"
                 "  ~@ ~A ... ~Z   the control codes 0 to 26 (~@ NUL, ~I tab, ~J LF, ~M CR)\n"
                 "  ~1 ~2 ~3 ~4    the function characters FNC1 to FNC4\n"
                 "  ~dNNN          the character with code NNN, 000 to 255\n\n"
                 "Exit status: 0 success, 1 data that cannot be encoded (in --batch: on any line),\n"
                 "2 a usage error, 3 output that cannot be written.\n";
}

void printVersion()
{
    std::cout << "tarnwick (Strivane) " TARNWICK_VERSION_TEXT "\n"
                 "License Apache-2.0: <https://www.apache.org/licenses/LICENSE-2.0>; the fonts: SIL OFL 1.1.\n"
                 "This is free software: you are free to change and redistribute it.\n"
                 "There is NO WARRANTY, to the extent permitted by law.\n";
}

// The switch an option without a value turns on, or null.
bool* flagOf(std::string_view arg, options& opt)
{
    if (arg == "--raw")
        return &opt.raw;
    if (arg == "--raw-bytes")
        return &opt.rawBytes;
    if (arg == "--human")
        return &opt.human;
    if (arg == "--modules")
        return &opt.modules;
    return nullptr;
}

bool parseNumber(const char* text, double& value)
{
    char* end = nullptr;
    value = text ? std::strtod(text, &end) : 0.0;
    return text && end != text && *end == '\0';
}

// The value of an option: after "=" in the same argument, else the next argument (nullptr when
// there is none).
struct option_reader {
    int argc;
    char** argv;
    int i = 0;
    std::string_view name;
    const char* inlineValue = nullptr;

    const char* value() { return inlineValue ? inlineValue : (i + 1 < argc ? argv[++i] : nullptr); }
};

// An option that takes a value; nullopt when `r.name` is none of them.
std::optional<std::optional<int>> parseValueOption(option_reader& r, options& opt)
{
    const std::string_view arg = r.name;
    if (arg == "--svg" || arg == "--png" || arg == "--font") {
        const char* value = r.value();
        if (!value || *value == '\0')
            return fail(std::string(arg) + (arg == "--font" ? " needs a value" : " needs a file name"), usageError);
        if (arg == "--svg")
            opt.svgPath = value;
        else
            (arg == "--png" ? opt.png.path : opt.png.font) = value;
    } else if (arg == "--segments") {
        char* end = nullptr;
        const char* value = r.value();
        const long v = value ? std::strtol(value, &end, 10) : 0;
        if (!value || end == value || *end != '\0' || v < 2 || v > 22)
            return fail("--segments needs a number from 2 to 22", usageError);
        opt.segments = static_cast<int>(v);
    } else if (arg == "--size" || arg == "--dpi") {
        double v = 0.0;
        if (!parseNumber(r.value(), v) || !(v > 0.0 && v <= 10000.0))
            return fail(std::string(arg) + " needs a positive number", usageError);
        if (arg == "--size")
            opt.png.points = v;
        else
            opt.png.dpi = static_cast<int>(v);
    } else
        return std::nullopt;
    return std::optional<int>{};
}

// One option at argv[r.i]; the exit status when the tool is to stop.
std::optional<int> parseOption(option_reader& r, options& opt)
{
    const std::string_view arg = r.argv[r.i];
    const std::size_t eq = arg.find('=');
    r.name = arg.substr(0, eq);
    r.inlineValue = eq == std::string_view::npos ? nullptr : r.argv[r.i] + eq + 1;
    if (r.name == "--batch") {
        opt.batchInput = r.inlineValue ? r.inlineValue : standardStream;
        return std::nullopt;
    }
    if (auto stop = parseValueOption(r, opt))
        return *stop;
    if (r.inlineValue)
        return fail("unknown option " + std::string(arg) + " (see --help)", usageError);
    if (arg == "--help" || arg == "-h") {
        printHelp();
        return std::cout.flush() ? 0 : fail("cannot write to standard output", outputError);
    }
    if (arg == "--version") {
        printVersion();
        return std::cout.flush() ? 0 : fail("cannot write to standard output", outputError);
    }
    if (bool* flag = flagOf(arg, opt)) {
        *flag = true;
        return std::nullopt;
    }
    return fail("unknown option " + std::string(arg) + " (see --help)", usageError);
}

// Options that do not go together; the exit status of the refusal.
std::optional<int> checkCombinations(const options& opt)
{
    if (opt.png.path.empty() && (!opt.png.font.empty() || opt.png.points || opt.png.dpi))
        return fail("--font, --size and --dpi go with --png", usageError);
    const bool toStdout = opt.svgToStdout() || opt.pngToStdout();
    if (opt.svgToStdout() && opt.pngToStdout())
        return fail("only one of --svg and --png can write to standard output", usageError);
    if (toStdout && opt.batchInput)
        return fail("--batch writes files, not standard output, for --svg and --png", usageError);
    if (toStdout && (opt.raw || opt.human || opt.modules))
        return fail("--raw, --human and --modules print text; the picture takes standard output", usageError);
    if (opt.batchInput && opt.modules)
        return fail("--modules does not go with --batch", usageError);
    for (const std::string* name : {opt.svgPath ? &*opt.svgPath : nullptr, &opt.png.path})
        if (opt.batchInput && name && !fileNameTemplateIsValid(*name))
            return fail("in " + *name + ": % goes with n, d or % only", usageError);
    return std::nullopt;
}

}  // namespace

const symbology_name* symbologyFromName(std::string_view name)
{
    for (const auto& s : symbologies)
        if (s.name.name == name)
            return &s.name;
    return nullptr;
}

int fail(std::string message, int status)
{
    for (char& c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::cerr << "tarnwick: " << message << '\n';
    return status;
}

std::optional<int> parseOptions(int argc, char** argv, options& opt)
{
    option_reader r{argc, argv, 0, {}, nullptr};
    bool optionsEnded = false;
    for (r.i = 1; r.i < argc; ++r.i) {
        const std::string_view arg = argv[r.i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            opt.positionalBeforeEnd = opt.positional.size();
        }
        else if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            opt.positional.push_back(arg);
        else if (auto stop = parseOption(r, opt))
            return stop;
    }
    return checkCombinations(opt);
}

}  // namespace Kelbrin::Tarnwick::Cli
