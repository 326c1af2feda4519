// tarnwick: barcode font text from the command line.
#include "svg_writer.hpp"
#include "symbol_geometry.hpp"

#include "tallowlib/errors.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include "strivane_render/symbol_png.hpp"

#include <iconv.h>

#include <array>
#include <cerrno>
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
    {"databar14", symbology::databar14, false, "GS1 DataBar-14 Omnidirectional (GTIN*)"},
    {"databar-limited", symbology::databar_limited, false, "GS1 DataBar Limited (GTIN*, indicator digit 0 or 1)"},
    {"databar-stacked", symbology::databar_stacked, false, "GS1 DataBar Stacked (GTIN*)"},
    {"databar-stacked-omni", symbology::databar_stacked_omni, false, "GS1 DataBar Stacked Omnidirectional (GTIN*)"},
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
    std::cout << "usage: tarnwick [--raw] [--raw-bytes] [--human] [--modules] [--svg FILE] [--segments N]\n"
                 "                [--png FILE [--font NAME] [--size POINTS] [--dpi N]] SYMBOLOGY DATA\n"
                 "       tarnwick check-digit DIGITS\n\n"
                 "Prints the text that, set in a barcode font, draws the barcode.\n\n"
                 "  --raw         print the lines joined by CR LF, exactly as the library returns them\n"
                 "  --human       also print the human-readable text\n"
                 "  --modules     print the module rows (0 light, 1 dark) instead of the font text\n"
                 "  --svg FILE    also write an SVG drawing of the symbol to FILE\n"
                 "  --raw-bytes   take DATA as bytes (default: UTF-8, converted to Latin-1)\n"
                 "  --segments N  segments per row of DataBar Expanded Stacked, 2 to 22\n"
                 "  --png FILE    also write the text set in the barcode font as a PNG picture:\n"
                 "    --font NAME     font family or file (default: the font made for the symbology)\n"
                 "    --size POINTS   default: whole dots per module, nearest 10 mils\n"
                 "    --dpi N         default: 300 (96 for the 96dpi fonts)\n\n"
                 "Symbologies:\n";
    for (const auto& s : symbologyNames)
        std::printf("  %-26s %s\n", std::string(s.name).c_str(), std::string(s.description).c_str());
    std::cout << "  * GTIN: 13 digits (indicator digit and 12 digits; the check digit is computed) or 14\n"
                 "    (the check digit is verified), blanks and a leading (01) allowed. An EAN-13 with its\n"
                 "    check digit is written with a leading 0: 4006381333931 as 04006381333931.\n";
    std::cout << "\nExit status: 0 success, 1 the data cannot be encoded, 2 a usage error, 3 output cannot be\n"
                 "written.\n";
}

// Exit statuses.
constexpr int badData = 1;
constexpr int usageError = 2;
constexpr int outputError = 3;

// A file or standard output that cannot be written.
struct output_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One line on stderr; the error text of the core may not end in a line break.
int fail(std::string message, int status)
{
    for (char& c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::cerr << "tarnwick: " << message << '\n';
    return status;
}

struct options {
    bool raw = false;
    bool rawBytes = false;
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
        throw output_error("cannot write " + path);
}

// The UTF-8 bytes of character `index` (from 0) of valid UTF-8 `text`.
std::string_view utf8Character(std::string_view text, std::size_t index)
{
    const auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    std::size_t begin = 0;
    for (std::size_t seen = 0; begin < text.size(); ++begin)
        if (!isContinuation(text[begin]) && seen++ == index)
            break;
    std::size_t end = begin + 1;
    while (end < text.size() && isContinuation(text[end]))
        ++end;
    return text.substr(begin, end - begin);
}

// The code points of UTF-8 `text`, through iconv. Throws invalid_character_error where the
// text stops being UTF-8.
std::u32string codePointsOf(std::string_view text)
{
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no UTF-8 conversion available");
    std::u32string codes(text.size(), U'\0');
    char* in = const_cast<char*>(text.data());
    char* out = reinterpret_cast<char*>(codes.data());
    std::size_t inLeft = text.size();
    std::size_t outLeft = codes.size() * sizeof(char32_t);
    const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        throw invalid_character_error(error_text::invalidCharacterInData, 1,
                                      "byte " + std::to_string(in - text.data() + 1) +
                                          " is not UTF-8 (--raw-bytes takes the data as bytes)");
    codes.resize(codes.size() - outLeft / sizeof(char32_t));
    return codes;
}

// UTF-8 `text` as Latin-1 bytes, the encoders' character set. A character without a
// Latin-1 code is refused, never replaced.
std::string latin1FromUtf8(std::string_view text)
{
    const std::u32string codes = codePointsOf(text);
    std::string latin1;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] > 0xFF) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codes[i]));
            throw invalid_character_error(error_text::invalidCharacterInData, 1,
                                          "character " + std::to_string(i + 1) + " \"" +
                                              std::string(utf8Character(text, i)) + "\" (" + code +
                                              ") has no Latin-1 code");
        }
        latin1 += static_cast<char>(codes[i]);
    }
    return latin1;
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
    try {
        if (!opt.png.path.empty())
            Kelbrin::Render::writeSymbolPng(sym.value, lines, opt.png);
    } catch (const std::ios_base::failure&) {
        throw output_error("cannot write " + opt.png.path);
    }
    if (!std::cout.flush())
        throw output_error("cannot write to standard output");
    return 0;
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

// Reads the options into `opt`; the exit status when the tool is to stop here.
std::optional<int> parseOptions(int argc, char** argv, options& opt)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return std::cout.flush() ? 0 : outputError;
        }
        if (bool* flag = flagOf(arg, opt))
            *flag = true;
        else if (arg == "--svg") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return fail("--svg needs a file name", usageError);
            opt.svgPath = argv[++i];
        } else if (arg == "--segments") {
            char* end = nullptr;
            const char* value = optionValue(i, argc, argv);
            const long v = value ? std::strtol(value, &end, 10) : 0;
            if (!value || end == value || *end != '\0' || v < 2 || v > 22)
                return fail("--segments needs a number from 2 to 22", usageError);
            opt.segments = static_cast<int>(v);
        } else if (arg == "--png" || arg == "--font") {
            const char* value = optionValue(i, argc, argv);
            if (!value)
                return fail(std::string(arg) + " needs a value", usageError);
            (arg == "--png" ? opt.png.path : opt.png.font) = value;
        } else if (arg == "--size" || arg == "--dpi") {
            double v = 0.0;
            if (!parseNumber(optionValue(i, argc, argv), v) || !(v > 0.0 && v <= 10000.0))
                return fail(std::string(arg) + " needs a positive number", usageError);
            if (arg == "--size")
                opt.png.points = v;
            else
                opt.png.dpi = static_cast<int>(v);
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-")
            return fail("unknown option " + std::string(arg) + " (see --help)", usageError);
        else
            opt.positional.push_back(arg);
    }
    if (opt.png.path.empty() && (!opt.png.font.empty() || opt.png.points || opt.png.dpi))
        return fail("--font, --size and --dpi go with --png", usageError);
    return std::nullopt;
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

// Encodes and prints; every failure is one line on stderr and its exit status.
int run(const symbology_name& sym, std::string_view data, const options& opt)
{
    try {
        const std::string bytes = opt.rawBytes ? std::string(data) : latin1FromUtf8(data);
        const int status = encodeAndPrint(sym, bytes, opt);
        noteEan13LookAlike(sym, bytes);
        return status;
    } catch (const barlib_error& e) {
        return fail(e.diagnostic.empty() ? e.message : e.diagnostic, badData);
    } catch (const output_error& e) {
        return fail(e.what(), outputError);
    } catch (const std::exception& e) {
        return fail(e.what(), badData);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    options opt;
    if (const auto stop = parseOptions(argc, argv, opt))
        return *stop;
    if (opt.positional.size() == 2 && opt.positional[0] == "check-digit")
        return checkDigit(opt.positional[1]);
    if (opt.positional.size() != 2)
        return fail("expected SYMBOLOGY DATA (see --help)", usageError);
    const symbology_name* sym = symbologyFromName(opt.positional[0]);
    if (!sym)
        return fail("unknown symbology " + std::string(opt.positional[0]) + " (see --help)", usageError);
    if (opt.segments && !sym->stacked)
        return fail("--segments goes with databar-expanded-stacked only", usageError);
    if (opt.positional[1].empty())
        return fail("no data to encode", badData);
    return run(*sym, opt.positional[1], opt);
}
