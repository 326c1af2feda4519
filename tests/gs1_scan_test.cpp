// SPDX-License-Identifier: Apache-2.0
// GS1 element strings written the ways people write them (blanks, with or without the check
// digit, separator markers, many AIs mixed) read back by zxing-cpp as exactly the data they
// mean: from GS1-128, DataBar Expanded and Expanded Stacked. GS1-128 is read by zbar too.
#include "Tarnwick.h"
#include "scan_support.hpp"

#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace strivane::scan;

namespace {

// A random valid input, the GS1 data a reader reports for it (AI and data of every element,
// GS where an FNC1 separates two) and the same as "(AI)data" text.
struct element_strings {
    std::string input;
    std::string data;
    std::string bracketed;
    bool merged = false;  // "~" left out an FNC1 a reader needs to tell two elements apart
};

enum class ai_kind {
    check_digit,      // fixed length ending in a check digit
    predefined,       // fixed length, predefined, no check digit
    date,             // YYMMDD, predefined
    fixed_separated,  // fixed length, not predefined: FNC1 after it
    date_time,        // YYMMDD and more digits, FNC1 after it
    alphanumeric,     // variable length
    numeric,          // variable length
    unknown,          // outside the dictionary
};

struct ai_sample {
    const char* ai;
    ai_kind kind;
    int minLength;
    int maxLength;
};

constexpr ai_sample aiSamples[] = {
    {"00", ai_kind::check_digit, 18, 18},       {"01", ai_kind::check_digit, 14, 14},
    {"02", ai_kind::check_digit, 14, 14},       {"410", ai_kind::check_digit, 13, 13},
    {"8018", ai_kind::check_digit, 18, 18},     {"11", ai_kind::date, 6, 6},
    {"17", ai_kind::date, 6, 6},                {"20", ai_kind::predefined, 2, 2},
    {"3103", ai_kind::predefined, 6, 6},        {"3650", ai_kind::predefined, 6, 6},
    {"402", ai_kind::fixed_separated, 17, 17},  {"422", ai_kind::fixed_separated, 3, 3},
    {"426", ai_kind::fixed_separated, 3, 3},    {"7003", ai_kind::date_time, 10, 10},
    {"8001", ai_kind::fixed_separated, 14, 14}, {"8005", ai_kind::fixed_separated, 6, 6},
    {"8102", ai_kind::fixed_separated, 2, 2},   {"10", ai_kind::alphanumeric, 1, 20},
    {"21", ai_kind::alphanumeric, 1, 20},       {"240", ai_kind::alphanumeric, 1, 30},
    {"91", ai_kind::alphanumeric, 1, 30},       {"30", ai_kind::numeric, 1, 8},
    {"3922", ai_kind::numeric, 1, 15},          {"8008", ai_kind::date_time, 8, 12},
    {"7004", ai_kind::unknown, 1, 20},          {"235", ai_kind::unknown, 1, 20},
    {"4300", ai_kind::unknown, 1, 12},
};

// GS1's characters but "(", which would start an element.
constexpr std::string_view gs1Characters =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz!\"%&')*+,-./:;<=>?_";

class element_string_generator {
public:
    explicit element_string_generator(unsigned seed) : rng_(seed) {}

    // With `knownAis`, no AI outside the dictionary and no 8102, which zxing-cpp does not read
    // from DataBar Expanded.
    element_strings next(int maxElements, bool knownAis = false)
    {
        knownAis_ = knownAis;
        element_strings e;
        const int count = 1 + pick(maxElements);
        for (int i = 0; i < count; ++i)
            addElement(e, i + 1 == count);
        return e;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    // `n` characters drawn from `set`, typed with a blank now and then (blanks are not data).
    std::string characters(int n, std::string_view set, std::string& typed)
    {
        std::string s;
        for (int k = 0; k < n; ++k) {
            const char c = set[static_cast<std::size_t>(pick(static_cast<int>(set.size())))];
            if (pick(8) == 0)
                typed += ' ';
            typed += c;
            s += c;
        }
        return s;
    }

    std::string date()
    {
        static const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int month = 1 + pick(12);
        return std::to_string(10 + pick(90)) + two(month) + two(1 + pick(monthDays[month - 1]));
    }
    static std::string two(int v) { return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; }

    // The data of an element and how it is typed.
    std::string dataOf(const ai_sample& a, int length, std::string& typed)
    {
        switch (a.kind) {
        case ai_kind::check_digit: {
            std::string body;
            const std::string digits = characters(length - 1, "0123456789", body);
            const std::string data = digits + Kelbrin::Tallowlib::gs1CheckDigit(digits);
            typed = pick(2) ? body : body + data.back();  // the check digit left out or given
            return data;
        }
        case ai_kind::date:
            return typed = date();
        case ai_kind::date_time: {
            std::string rest;
            const std::string data = date() + characters(length - 6, "0123456789", rest);
            typed = data.substr(0, 6) + rest;
            return data;
        }
        case ai_kind::alphanumeric:
        case ai_kind::unknown: {
            std::string data = characters(length, gs1Characters, typed);
            if (data.back() == '!')  // a final "!" is the separator marker
                data.back() = typed.back() = '?';
            return data;
        }
        default:
            return characters(length, "0123456789", typed);
        }
    }

    void addElement(element_strings& e, bool last)
    {
        const ai_sample* sample = &aiSamples[pick(static_cast<int>(std::size(aiSamples)))];
        while (knownAis_ && (sample->kind == ai_kind::unknown || std::string_view(sample->ai) == "8102"))
            sample = &aiSamples[pick(static_cast<int>(std::size(aiSamples)))];
        const ai_sample& a = *sample;
        std::string typed;
        const std::string data = dataOf(a, a.minLength + pick(a.maxLength - a.minLength + 1), typed);
        // Only fixed-length AIs of predefined length (here 00, 01, 02, 11, 17, 20, 31nn, 36nn,
        // 410) go without an FNC1; 8018 has a check digit but no predefined length.
        const std::string ai = a.ai;
        bool separator = !(a.kind == ai_kind::predefined || a.kind == ai_kind::date ||
                           (a.kind == ai_kind::check_digit && ai != "8018"));
        if (const int marker = pick(6); marker < 2) {
            typed += marker == 0 ? '~' : '!';
            e.merged |= marker == 0 && separator && !last;
            separator = marker == 1;
        }
        e.input += "(" + ai + ")" + typed;
        e.data += ai + data;
        e.bracketed += "(" + ai + ")" + data;
        if (separator && !last)
            e.data += '\x1D';
    }

    std::mt19937 rng_;
    bool knownAis_ = false;
};

std::string fontText(int n, const std::vector<char>& buffer)
{
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

// The picture of font text: data rows `dataHeight` modules high, separator rows one.
gray_image picture(const std::string& text, int dataHeight, int scale, int quietZone)
{
    const auto m = Kelbrin::Tallowlib::readFontText(text);
    std::vector<int> heights;
    for (bool data : m.dataRow)
        heights.push_back(data ? dataHeight : 1);
    return renderModuleRows(m.rows, heights, scale, quietZone);
}

}  // namespace

TEST(Gs1Scan, GS1_128ReadsBackTheMeantData)
{
    element_string_generator gen(1207);
    std::vector<char> buffer(8192);
    int failures = 0;
    for (int i = 0; i < 1000 && failures <= 10; ++i) {
        const element_strings e = gen.next(4);
        SCOPED_TRACE(e.input);
        const std::string text =
            fontText(EAN128_Uni(e.input.c_str(), buffer.data(), static_cast<int32_t>(buffer.size())), buffer);
        ASSERT_FALSE(text.empty());
        const gray_image image = picture(text, 8, 2, 10);
        const auto zx = decodeWithZxing(image);
        const auto zb = decodeWithZbar(image);
        const bool zxingRight = zx.size() == 1 && zx[0].format == "Code128" && zx[0].gs1 &&
                                zx[0].symbologyId == "]C1" && zx[0].data == e.data;
        const bool zbarRight = zb.size() == 1 && zb[0].gs1 && zb[0].data == e.data;
        EXPECT_TRUE(zxingRight) << "zxing-cpp read " << (zx.empty() ? "nothing" : zx[0].data);
        EXPECT_TRUE(zbarRight) << "zbar read " << (zb.empty() ? "nothing" : zb[0].data);
        failures += !zxingRight + !zbarRight;
    }
}

TEST(Gs1Scan, ExpandedAndExpandedStackedReadBackTheMeantData)
{
    element_string_generator gen(20261207);
    std::vector<char> buffer(8192);
    std::vector<gray_image> images;
    std::vector<element_strings> expected;
    std::vector<std::string> labels;
    for (int i = 0; static_cast<int>(images.size()) < 400 && i < 1000; ++i) {
        const element_strings e = gen.next(3, true);
        if (e.merged)
            continue;  // read back as other elements: GS1-128's raw data proves those
        const int segments = i % 2 == 0 ? 22 : 2 + 2 * (i / 2 % 10);
        const int n = DataBarExpanded(e.input.c_str(), segments, buffer.data(), static_cast<int32_t>(buffer.size()));
        if (n <= 0)
            continue;  // more than a symbol holds: drawn again
        images.push_back(picture(fontText(n, buffer), 34, 2, 12));
        expected.push_back(e);
        labels.push_back(e.input + " / " + std::to_string(segments) + " per row");
    }
    ASSERT_EQ(images.size(), 400u);
    // Stops after the first symbol: a second reading of a stacked one makes zxing-cpp abort.
    const auto read = decodeBatchWithZxingIsolated(images, 1);
    std::size_t unread = 0;
    for (std::size_t i = 0; i < images.size(); ++i) {
        std::string text;
        for (const auto& d : read[i].value_or(std::vector<decoded>{}))
            if (d.format == "DataBarExpanded" && text.empty())
                text = d.data;
        if (!text.empty()) {
            EXPECT_EQ(text, expected[i].bracketed) << labels[i];
            continue;
        }
        // zxing-cpp misses some very small one-row symbols, which zbar reads as raw data.
        const auto zb = decodeWithZbar(images[i]);
        if (zb.empty()) {
            ++unread;
            std::printf("unread: %s\n", labels[i].c_str());
        } else {
            EXPECT_EQ(zb[0].data, expected[i].data) << "zbar: " << labels[i];
        }
    }
    // A wrong reading always fails; what neither reader reads stays rare.
    EXPECT_LT(unread * 100, images.size()) << unread << " of " << images.size() << " unread";
}
