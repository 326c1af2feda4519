// SPDX-License-Identifier: Apache-2.0
// Each Tarnwick export side by side with libzint on the same symbol, in one process.
// A zint call is ZBarcode_Create + ZBarcode_Encode (no buffer or file output) +
// ZBarcode_Delete; an export call includes the font text. Rounds of each alternate, and the
// best round of each counts. The symbols are checked to be the same, module for module.
//
//   zint_compare [ROUNDS [NAME...]]
// With names, only the rows whose name holds one of them run (for a profile of one symbol:
// valgrind --tool=callgrind zint_compare 1 "StackedOmni").
#include "Tarnwick.h"
#include "tallowlib/font_text_reader.hpp"

#include <zint.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct comparison {
    const char* name;
    std::function<int(char*, int)> ours;  // the export, into a buffer of the given size
    int zintSymbology;
    std::string zintInput;
    int zintInputMode = DATA_MODE;
    int zintOption2 = 0;
};

double bestNanoseconds(const std::function<void()>& call, int calls, int rounds, const std::function<void()>& other)
{
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i)
            call();
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / calls);
        other();  // the other side's round, so that both see the same state of the machine
    }
    return best;
}

zint_symbol* encodeWithZint(const comparison& c)
{
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = c.zintSymbology;
    symbol->input_mode = c.zintInputMode;
    symbol->option_2 = c.zintOption2;
    const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(c.zintInput.data()),
                                      static_cast<int>(c.zintInput.size()));
    if (error >= ZINT_ERROR) {
        std::fprintf(stderr, "zint: %s: %s\n", c.name, symbol->errtxt);
        std::exit(1);
    }
    return symbol;
}

// Whether zint's module rows are the rows our font text prints.
bool sameSymbol(const comparison& c)
{
    std::vector<char> buffer(8192);
    if (c.ours(buffer.data(), static_cast<int>(buffer.size())) <= 0)
        return false;
    const auto ours = Kelbrin::Tallowlib::readFontText(buffer.data());
    zint_symbol* symbol = encodeWithZint(c);
    bool same = static_cast<int>(ours.rows.size()) == symbol->rows;
    for (int r = 0; same && r < symbol->rows; ++r) {
        const std::string& row = ours.rows[static_cast<std::size_t>(r)];
        // zint ends DataBar Limited with light trailing guard modules that the font text leaves out.
        same = static_cast<int>(row.size()) <= symbol->width;
        for (int j = 0; same && j < symbol->width; ++j) {
            const bool dark = j < static_cast<int>(row.size()) && row[static_cast<std::size_t>(j)] == '1';
            same = ((symbol->encoded_data[r][j >> 3] >> (j & 7)) & 1) == (dark ? 1 : 0);
        }
    }
    ZBarcode_Delete(symbol);
    return same;
}

std::vector<comparison> comparisons()
{
    const auto oneText = [](int (*fn)(const char*, char*, int32_t), const char* input) {
        return [fn, input](char* out, int size) { return fn(input, out, size); };
    };
    const auto expanded = [](const char* input, int segments) {
        return [input, segments](char* out, int size) { return DataBarExpanded(input, segments, out, size); };
    };
    const char* gtin = "1234567890123";
    // zint 2.11 takes at most 60 symbol characters of Code 128.
    const char* longCode128 = "Lot 0123456789 ~d200~d201 Dock 7, bin A-12; 99887766";
    const std::string longCode128Bytes = "Lot 0123456789 \xC8\xC9 Dock 7, bin A-12; 99887766";
    const char* three = "(01)98898765432106(3202)012345(15)991231";
    const char* longer = "(01)98898765432106(15)991231(10)ABCDEFGH123456(21)SERIAL0042";
    const int gs1 = GS1_MODE | GS1PARENS_MODE;
    return {
        {"DataBar14", oneText(DataBar14, gtin), BARCODE_DBAR_OMN, gtin},
        {"DataBarLimited", oneText(DataBarLimited, gtin), BARCODE_DBAR_LTD, gtin},
        {"DataBarStacked", oneText(DataBarStacked, gtin), BARCODE_DBAR_STK, gtin},
        {"DataBarStackedOmni", oneText(DataBarStackedOmni, gtin), BARCODE_DBAR_OMNSTK, gtin},
        {"Code128_Uni \"12\"", oneText(Code128_Uni, "12"), BARCODE_CODE128, "12"},
        {"Code128_Uni, 43 characters", oneText(Code128_Uni, longCode128), BARCODE_CODE128, longCode128Bytes},
        {"EAN128_Uni, three elements", oneText(EAN128_Uni, three), BARCODE_GS1_128, three, gs1},
        {"DataBarExpanded, one row", expanded(three, 22), BARCODE_DBAR_EXP, three, gs1},
        {"DataBarExpanded, 4 segments per row", expanded(three, 4), BARCODE_DBAR_EXPSTK, three, gs1, 2},
        {"DataBarExpanded, 2 segments, long", expanded(longer, 2), BARCODE_DBAR_EXPSTK, longer, gs1, 1},
        {"DataBarExpanded, 8 segments, long", expanded(longer, 8), BARCODE_DBAR_EXPSTK, longer, gs1, 4},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::printf("%-38s %12s %12s %8s %s\n", "export (input)", "ours ns", "zint ns", "ratio", "same symbol");
    bool allFast = true;
    const auto chosen = [&](const comparison& c) {
        for (int a = 2; a < argc; ++a)
            if (std::strstr(c.name, argv[a]) != nullptr)
                return true;
        return argc <= 2;
    };
    for (const comparison& c : comparisons()) {
        if (!chosen(c))
            continue;
        std::vector<char> buffer(8192);
        const auto ourCall = [&] { c.ours(buffer.data(), static_cast<int>(buffer.size())); };
        const auto zintCall = [&] { ZBarcode_Delete(encodeWithZint(c)); };
        double zint = 1e300;
        const auto zintRound = [&] {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < 200; ++i)
                zintCall();
            const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
            zint = std::min(zint, took.count() / 200);
        };
        const double ours = bestNanoseconds(ourCall, 2000, rounds, zintRound);
        const double ratio = zint / ours;
        allFast = allFast && ratio >= 3.0;
        std::printf("%-38s %12.0f %12.0f %7.1fx %s\n", c.name, ours, zint, ratio, sameSymbol(c) ? "yes" : "NO");
    }
    std::printf(allFast ? "every export at least 3x faster than zint\n" : "SLOWER than 3x zint somewhere\n");
    return allFast ? 0 : 1;
}
