// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded and Expanded Stacked read back by independent readers: a seeded random
// corpus of element strings over every method, mode mix and row width.
//
// zxing-cpp reads one-row and stacked symbols but misses some very small one-row ones; it
// runs in a child process that reads a whole batch of pictures, restarted after a crash
// (one child per picture would cost more than the decoding). zbar reads one and
// two rows but misreads data after an FNC1 that follows alphanumeric or ISO 646 data, so
// it is consulted only where it is right.
#include "scan_support.hpp"

#include "expanded/expanded_compaction.hpp"
#include "font/font_text.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace strivane::scan;

namespace {

// ---- zxing-cpp in a child process, many pictures per child ----------------------------

struct zxing_result {
    bool crashed = false;
    std::string text;  // empty: nothing read
};

// Reads every picture, stopping after the first symbol (a second reading of a stacked
// symbol makes zxing-cpp 1.4 abort).
std::vector<zxing_result> zxingReadAll(const std::vector<gray_image>& images)
{
    std::vector<zxing_result> out(images.size());
    const auto batch = decodeBatchWithZxingIsolated(images, 1);
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (!batch[i]) {
            out[i].crashed = true;
            continue;
        }
        for (const auto& d : *batch[i])
            if (d.format == "DataBarExpanded" && out[i].text.empty())
                out[i].text = d.data;
    }
    return out;
}

// ---- The corpus ---------------------------------------------------------------------

struct element {
    std::string ai;
    std::string data;
    bool fnc1;  // an FNC1 follows unless it is the last element
};

struct corpus_case {
    std::string input;
    std::string readable;    // "(AI)data..." as zxing-cpp reports it
    std::string dataString;  // AI digits and data, "\x1d" for FNC1
    bool fnc1AfterNonNumeric = false;
    int segments = 22;
};

corpus_case makeCase(const std::vector<element>& elements, int segments)
{
    corpus_case c;
    c.segments = segments;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const element& e = elements[i];
        c.input += "(" + e.ai + ")" + e.data;
        c.readable += "(" + e.ai + ")" + e.data;
        c.dataString += e.ai + e.data;
        if (e.fnc1 && i + 1 < elements.size()) {
            c.dataString += '\x1d';
            if (e.data.find_first_not_of("0123456789") != std::string::npos)
                c.fnc1AfterNonNumeric = true;
        }
    }
    return c;
}

class generator {
public:
    explicit generator(unsigned seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string digits(int n)
    {
        std::string s;
        for (int i = 0; i < n; ++i)
            s.push_back(static_cast<char>('0' + below(10)));
        return s;
    }
    std::string withCheckDigit(std::string s) { return s + gs1CheckDigit(s); }
    // A valid YYMMDD date; day 00 stands for "no day".
    std::string date()
    {
        static const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const std::string year = digits(2);
        const int month = 1 + below(12);
        return year + two(month) + two(below(monthDays[month - 1] + 1));
    }
    std::string two(int v) { return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; }
    std::string six(int v)
    {
        std::string s = std::to_string(v);
        return std::string(6 - s.size(), '0') + s;
    }
    // Characters of the GS1 set for alphanumeric data ("(" would start a new element).
    std::string text(int n, int flavour)
    {
        static const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*,-./";
        static const std::string mixed = "ABCXYZabcdxyz0123456789!\"%&')*+,-./:;<=>?_";
        static const std::string numericish = "0123456789012345678901234567890A-";
        const std::string& set = flavour == 0 ? upper : flavour == 1 ? mixed : numericish;
        std::string s;
        for (int i = 0; i < n; ++i)
            s.push_back(set[static_cast<std::size_t>(below(static_cast<int>(set.size())))]);
        if (s.back() == '!')
            s.back() = '?';  // a final "!" is the FNC1 marker, not data
        return s;
    }

    element gtin(bool indicatorNine)
    {
        const char first = indicatorNine ? '9' : static_cast<char>('0' + below(9));
        return {"01", withCheckDigit(std::string(1, first) + digits(12)), false};
    }

    // Elements that select each compressed method (or fall just outside it).
    std::vector<element> compressed()
    {
        std::vector<element> e{gtin(true)};
        switch (below(7)) {
        case 0: e.push_back({"3103", six(below(2) ? below(32768) : 32768 + below(67232)), false}); break;
        case 1: e.push_back({"3202", six(below(2) ? below(10000) : 10000 + below(90000)), false}); break;
        case 2: e.push_back({"3203", six(below(2) ? below(22768) : 22768 + below(77232)), false}); break;
        case 3: e.push_back({"392" + std::to_string(below(4)), digits(1 + below(15)), true}); break;
        case 4: e.push_back({"393" + std::to_string(below(4)), digits(3) + digits(1 + below(15)), true}); break;
        case 5:
            e.push_back({(below(2) ? "310" : "320") + std::to_string(below(10)), six(below(100000)), false});
            break;
        default:
            e.push_back({(below(2) ? "310" : "320") + std::to_string(below(10)), six(below(100000)), false});
            e.push_back({std::string("1") + "1357"[below(4)], date(), false});
            break;
        }
        if (below(4) == 0)
            e.push_back(general());  // breaks the compressed pattern or follows it
        return e;
    }

    element general()
    {
        switch (below(14)) {
        case 0: return {"10", text(1 + below(20), below(3)), true};
        case 1: return {"21", text(1 + below(20), below(3)), true};
        case 2: return {"90", text(1 + below(30), below(3)), true};
        case 3: return {"91", text(1 + below(30), 1), true};
        case 4: return {"30", digits(1 + below(8)), true};
        case 5: return {"37", digits(1 + below(8)), true};
        case 6: return {"00", withCheckDigit(digits(17)), false};
        case 7: return {"11", date(), false};
        case 8: return {"17", date(), false};
        case 9: return {"20", digits(2), false};
        case 10: return {"400", text(1 + below(20), below(3)), true};
        case 11: return {"402", withCheckDigit(digits(16)), true};  // fixed length, FNC1 all the same
        case 12: return {"8005", digits(6), true};
        default: return {"240", text(1 + below(25), 1), true};
        }
    }

    std::vector<element> anyElements()
    {
        if (below(3) == 0)
            return compressed();
        std::vector<element> e;
        if (below(2) == 0)
            e.push_back(gtin(below(2) == 0));
        const int n = 1 + below(3);
        for (int i = 0; i < n; ++i)
            e.push_back(general());
        return e;
    }

private:
    std::mt19937 rng_;
};

// The printed lines as module rows, drawn with data rows 34 modules high.
gray_image picture(const std::vector<std::string>& lines, int& dataRows)
{
    const module_rows m = readFontText(joinLines(lines));
    std::vector<int> heights;
    dataRows = 0;
    for (bool data : m.dataRow) {
        heights.push_back(data ? 34 : 1);
        dataRows += data ? 1 : 0;
    }
    return renderModuleRows(m.rows, heights, 2, 12);
}

struct outcome {
    int readByZxing = 0;
    int readByZbar = 0;
    int checkedWithZbar = 0;
    std::vector<std::string> unreadable;
};

// Encodes, draws and reads every case; wrong readings fail the test, cases that neither
// reader can read within its known limits are returned.
outcome roundTrip(const std::vector<corpus_case>& cases)
{
    std::vector<gray_image> images;
    std::vector<int> rowCounts;
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        encodeFontLines(symbology::databar_expanded, c.input.c_str(), c.segments, lines);
        int dataRows = 0;
        images.push_back(picture(lines, dataRows));
        EXPECT_EQ(dataRows, static_cast<int>(lines.size())) << c.input;
        rowCounts.push_back(dataRows);
    }
    const auto zx = zxingReadAll(images);
    outcome o;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const corpus_case& c = cases[i];
        const std::string label = c.input + " / " + std::to_string(c.segments) + " per row";
        const bool zbarRight = rowCounts[i] <= 2 && !c.fnc1AfterNonNumeric;
        if (!zx[i].text.empty()) {
            EXPECT_EQ(zx[i].text, c.readable) << "zxing-cpp: " << label;
            ++o.readByZxing;
        }
        if (zbarRight) {
            const auto zb = decodeWithZbar(images[i]);
            for (const auto& d : zb)
                EXPECT_EQ(d.data, c.dataString) << "zbar: " << label;
            o.checkedWithZbar += zb.empty() ? 0 : 1;
            if (zx[i].text.empty() && !zb.empty()) {
                ++o.readByZbar;
                continue;
            }
        }
        if (zx[i].text.empty())
            o.unreadable.push_back(label + (zx[i].crashed ? " (zxing-cpp crashed" : " (zxing-cpp read nothing") +
                                   (zbarRight ? ", zbar read nothing)" : ", beyond what zbar reads right)"));
    }
    return o;
}

// The encodation method a data string takes; the 7-bit weight methods split by whether
// they carry a date.
std::string methodOf(std::string dataString)
{
    for (char& ch : dataString)
        if (ch == '\x1d')
            ch = '#';
    using namespace Kelbrin::Tallowlib::detail;
    bit_field field{};
    pack(dataString.c_str(), field, 22);
    if (readBits(field, 1, 1) == 1)
        return "1";
    if (readBits(field, 1, 2) == 0)
        return "00";
    if (readBits(field, 1, 3) == 0b010)
        return readBits(field, 1, 4) == 0b0100 ? "0100" : "0101";
    if (readBits(field, 1, 4) == 0b0110)
        return readBits(field, 1, 5) == 0b01100 ? "01100" : "01101";
    return readBits(field, 68, 16) == 38400 ? "0111 no date" : "0111 date";
}

void runCorpus(unsigned seed, int count)
{
    generator g(seed);
    std::vector<corpus_case> cases;
    for (int i = 0; cases.size() < static_cast<std::size_t>(count); ++i) {
        corpus_case c = makeCase(g.anyElements(), 2 + i % 21);
        std::vector<std::string> lines;
        try {
            encodeFontLines(symbology::databar_expanded, c.input.c_str(), c.segments, lines);
        } catch (const std::exception&) {
            continue;  // more than 21 data characters: drawn again
        }
        cases.push_back(std::move(c));
    }
    std::map<std::string, int> methods;
    for (const auto& c : cases)
        ++methods[methodOf(c.dataString)];
    for (const char* m : {"1", "00", "0100", "0101", "01100", "01101", "0111 no date", "0111 date"})
        EXPECT_GT(methods[m], 0) << "no case of method " << m;
    const outcome o = roundTrip(cases);
    for (const auto& u : o.unreadable)
        std::printf("unreadable by either reader within its limits: %s\n", u.c_str());
    std::printf("%d cases: %d read by zxing-cpp, %d also by zbar, %d only by zbar, %zu unreadable\n", count,
                o.readByZxing, o.checkedWithZbar, o.readByZbar, o.unreadable.size());
    EXPECT_LT(o.unreadable.size() * 100, static_cast<std::size_t>(count)) << "more than 1% unreadable";
}

}  // namespace

TEST(ExpandedScan, WorkedExamples)
{
    struct row {
        std::vector<element> elements;
        int segments;
    };
    const std::vector<row> rows = {
        {{{"01", "98898765432106", false}, {"3202", "012345", false}, {"15", "991231", false}}, 4},
        {{{"01", "98898765432106", false}, {"3103", "001750", false}}, 22},
        {{{"01", "98898765432106", false}, {"3203", "012345", false}}, 2},
        {{{"01", "98898765432106", false}, {"3103", "032768", false}}, 6},
        {{{"01", "98898765432106", false}, {"3922", "123", true}}, 4},
        {{{"01", "98898765432106", false}, {"3932", "978123", true}}, 4},
        {{{"01", "98898765432106", false}, {"3103", "001750", false}, {"13", "091231", false}}, 22},
        {{{"01", "98898765432106", false}, {"11", "091231", false}, {"3103", "001750", false}}, 2},
        {{{"01", "12345678901231", false}, {"10", "ABC", true}, {"21", "12", true}}, 22},
        {{{"10", "ABC123", true}, {"21", "xyz", true}, {"30", "12", true}}, 2},
    };
    std::vector<corpus_case> cases;
    for (const auto& r : rows)
        cases.push_back(makeCase(r.elements, r.segments));
    const outcome o = roundTrip(cases);
    EXPECT_TRUE(o.unreadable.empty()) << o.unreadable.front();
}

// Data that the compressed fields would change goes through the general-purpose field:
// weights beyond what the weight fields of the compressed methods hold.
TEST(ExpandedScan, DataTheCompressedFieldsCannotCarryArrivesUnchanged)
{
    const std::vector<corpus_case> cases = {
        makeCase({{"01", "98898765432106", false}, {"3103", "032768", false}}, 22),
        makeCase({{"01", "98898765432106", false}, {"3103", "099999", false}, {"11", "091231", false}}, 22),
        makeCase({{"01", "98898765432106", false}, {"3202", "012345", false}, {"17", "091200", false}}, 4),
        makeCase({{"01", "98898765432106", false}, {"3202", "012345", false}, {"15", "090229", false}}, 2),
    };
    const outcome o = roundTrip(cases);
    EXPECT_TRUE(o.unreadable.empty()) << o.unreadable.front();
}

// Four seeded shards of the random corpus, 2,100 symbols in all.
TEST(ExpandedScan, RandomCorpusShard1) { runCorpus(1, 525); }
TEST(ExpandedScan, RandomCorpusShard2) { runCorpus(2, 525); }
TEST(ExpandedScan, RandomCorpusShard3) { runCorpus(3, 525); }
TEST(ExpandedScan, RandomCorpusShard4) { runCorpus(4, 525); }
