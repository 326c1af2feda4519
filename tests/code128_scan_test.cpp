// Scan round trips: Code 128 and GS1-128 font text drawn and read back by zbar and zxing-cpp.
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

struct scan_result {
    std::vector<decoded> zbar;
    std::vector<decoded> zxing;
};

using encoder_fn = int (*)(const char*, char*, int32_t);

// Encodes through the exported function and reads the drawn symbol with both readers.
scan_result scan(encoder_fn encode, const std::string& input)
{
    std::vector<char> buffer(8192);
    const int n = encode(input.c_str(), buffer.data(), static_cast<int32_t>(buffer.size()));
    EXPECT_GT(n, 0) << input;
    if (n <= 0)
        return {};
    const auto rows = Kelbrin::Tallowlib::readFontText(std::string_view(buffer.data(), static_cast<std::size_t>(n))).rows;
    const auto image = renderModuleRows(rows, {8}, 2, 10);
    return {decodeWithZbar(image), decodeWithZxing(image)};
}

// A random Code 128 message and the bytes a reader should report for it.
struct message {
    std::string text;
    std::string bytes;
    bool endsWithFnc1 = false;
};

class message_generator {
public:
    explicit message_generator(unsigned seed) : rng_(seed) {}

    message next()
    {
        message m;
        for (int i = 0, pieces = 1 + pick(12); i < pieces || m.bytes.empty(); ++i)
            addPiece(m);
        return m;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    static void add(message& m, const std::string& text, const std::string& bytes, bool fnc1 = false)
    {
        m.text += text;
        m.bytes += bytes;
        m.endsWithFnc1 = fnc1;
    }

    static std::string escaped(int code)  // "~dNNN"
    {
        return {'~', 'd', static_cast<char>('0' + code / 100), static_cast<char>('0' + code / 10 % 10),
                static_cast<char>('0' + code % 10)};
    }

    void addPiece(message& m)
    {
        switch (pick(10)) {
        case 0:
        case 1:  // digit runs of every length, so of every parity
            for (int k = 0, len = 1 + pick(9); k < len; ++k) {
                const std::string d(1, static_cast<char>('0' + pick(10)));
                add(m, d, d);
            }
            break;
        case 2: {  // upper case and punctuation (sets A and B)
            const char c = static_cast<char>(32 + pick(64));
            add(m, std::string(1, c), std::string(1, c));
            break;
        }
        case 3: {  // lower case (set B only), "~" excluded
            const char c = static_cast<char>(96 + pick(30));
            add(m, std::string(1, c), std::string(1, c));
            break;
        }
        case 4: {  // control characters as "~@".."~Z" or "~dNNN", and DEL as it is
            const int code = pick(33);
            const std::string text = code == 32 ? "\x7F" : code <= 26 ? std::string{'~', static_cast<char>('@' + code)}
                                                                      : escaped(code);
            add(m, text, std::string(1, static_cast<char>(code == 32 ? 127 : code)));
            break;
        }
        case 5:
        case 6:  // bytes 128..255, alone or in runs that make the FNC4 latch worthwhile
            for (int k = 0, len = pick(2) == 0 ? 1 : 2 + pick(6); k < len; ++k) {
                const int code = 128 + pick(128);
                const std::string byte(1, static_cast<char>(code));
                add(m, pick(3) == 0 ? byte : escaped(code), byte);
            }
            break;
        case 7:  // FNC1 inside the message: readers report GS
            if (m.bytes.size() >= 3)
                add(m, "~1", "\x1D", true);
            break;
        case 8: {  // a "~" that starts no escape
            const std::string literal = pick(2) == 0 ? "~d9x" : "~x";
            add(m, literal, literal);
            break;
        }
        default: {
            const char* words[] = {"Abc", "xyZ", "Q-7", "hello", "WORLD"};
            const std::string w = words[pick(5)];
            add(m, w, w);
            break;
        }
        }
    }

    std::mt19937 rng_;
};

std::string hex(const std::string& s)
{
    std::string out;
    char buf[4];
    for (const unsigned char c : s) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    return out;
}

// Both readers must find exactly one symbol whose content is as expected; returns the failures.
int expectRead(const scan_result& r, const std::string& input, const std::string& zbarData, const std::string& zxingData,
               bool gs1)
{
    const bool zbarOk = r.zbar.size() == 1 && r.zbar[0].data == zbarData && r.zbar[0].gs1 == gs1;
    const bool zxingOk = r.zxing.size() == 1 && r.zxing[0].format == "Code128" && r.zxing[0].data == zxingData &&
                         r.zxing[0].gs1 == gs1 && r.zxing[0].symbologyId == (gs1 ? "]C1" : "]C0");
    EXPECT_TRUE(zbarOk) << "zbar, input " << input << " read " << (r.zbar.empty() ? "nothing" : hex(r.zbar[0].data))
                        << " expected " << hex(zbarData);
    EXPECT_TRUE(zxingOk) << "zxing, input " << input << " read "
                         << (r.zxing.empty() ? "nothing" : r.zxing[0].symbologyId + " " + hex(r.zxing[0].data))
                         << " expected " << hex(zxingData);
    return !zbarOk + !zxingOk;
}

}  // namespace

TEST(Code128Scan, RandomMessagesReadBackByBothReaders)
{
    message_generator gen(20261207);
    int failures = 0;
    for (int i = 0; i < 2000 && failures <= 10; ++i) {
        const message m = gen.next();
        // zbar reports bytes 128..255 without their high bit and leaves out an FNC1 at the end.
        std::string zbarData = m.bytes.substr(0, m.bytes.size() - (m.endsWithFnc1 ? 1 : 0));
        for (char& c : zbarData)
            c = static_cast<char>(c & 0x7F);
        failures += expectRead(scan(Code128_Uni, m.text), m.text, zbarData, m.bytes, false);
    }
}

namespace {

// A random valid GS1-128 input and the GS1 data a reader should report: AI and data of every
// element, GS where an FNC1 separates two elements.
struct element_strings {
    std::string input;
    std::string data;
};

enum class ai_kind {
    check_digit,      // fixed length ending in a check digit
    predefined,       // fixed length, predefined, no check digit
    fixed_separated,  // fixed length, not predefined: FNC1 after it
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
    {"00", ai_kind::check_digit, 18, 18},     {"01", ai_kind::check_digit, 14, 14},
    {"02", ai_kind::check_digit, 14, 14},     {"410", ai_kind::check_digit, 13, 13},
    {"8018", ai_kind::check_digit, 18, 18},   {"11", ai_kind::predefined, 6, 6},
    {"17", ai_kind::predefined, 6, 6},        {"20", ai_kind::predefined, 2, 2},
    {"3103", ai_kind::predefined, 6, 6},      {"3650", ai_kind::predefined, 6, 6},
    {"402", ai_kind::fixed_separated, 17, 17}, {"422", ai_kind::fixed_separated, 3, 3},
    {"426", ai_kind::fixed_separated, 3, 3},  {"7003", ai_kind::fixed_separated, 10, 10},
    {"8001", ai_kind::fixed_separated, 14, 14}, {"8005", ai_kind::fixed_separated, 6, 6},
    {"8102", ai_kind::fixed_separated, 2, 2}, {"10", ai_kind::alphanumeric, 0, 20},
    {"21", ai_kind::alphanumeric, 1, 20},     {"240", ai_kind::alphanumeric, 1, 30},
    {"91", ai_kind::alphanumeric, 1, 30},     {"30", ai_kind::numeric, 1, 8},
    {"3922", ai_kind::numeric, 1, 15},        {"8008", ai_kind::numeric, 8, 12},
    {"7004", ai_kind::unknown, 1, 20},        {"235", ai_kind::unknown, 1, 20},
    {"4300", ai_kind::unknown, 1, 12},
};

class element_string_generator {
public:
    explicit element_string_generator(unsigned seed) : rng_(seed) {}

    element_strings next()
    {
        element_strings e;
        const int count = 1 + pick(4);
        for (int i = 0; i < count; ++i)
            addElement(e, i + 1 == count);
        return e;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    std::string digits(int n)
    {
        std::string s;
        for (int k = 0; k < n; ++k)
            s += static_cast<char>('0' + pick(10));
        return s;
    }

    // Printable characters without the syntax characters "(", "~" and "!"; blanks are
    // typed now and then and are not encoded.
    std::string alphanumeric(int n, std::string& typed)
    {
        std::string s;
        while (static_cast<int>(s.size()) < n) {
            const char c = static_cast<char>(33 + pick(94));
            if (c == '(' || c == '~' || c == '!')
                continue;
            if (pick(8) == 0)
                typed += ' ';
            typed += c;
            s += c;
        }
        return s;
    }

    void addElement(element_strings& e, bool last)
    {
        const ai_sample& a = aiSamples[pick(static_cast<int>(std::size(aiSamples)))];
        const int length = a.minLength + pick(a.maxLength - a.minLength + 1);
        std::string typed, data;
        switch (a.kind) {
        case ai_kind::check_digit: {
            const std::string body = digits(length - 1);
            data = body + Kelbrin::Tallowlib::gs1CheckDigit(body);
            const int form = pick(3);  // as it should be, without the check digit, with a wrong one
            typed = form == 0 ? data : form == 1 ? body : body + static_cast<char>('0' + (data.back() - '0' + 1) % 10);
            break;
        }
        case ai_kind::alphanumeric:
        case ai_kind::unknown:
            data = alphanumeric(length, typed);
            break;
        default:
            data = typed = digits(length);
            break;
        }
        // Only fixed-length AIs of predefined length (here 00, 01, 02, 11, 17, 20, 31nn, 36nn,
        // 410) go without an FNC1; 8018 has a check digit but no predefined length.
        const std::string ai = a.ai;
        bool separator = !(a.kind == ai_kind::predefined || (a.kind == ai_kind::check_digit && ai != "8018"));
        switch (pick(6)) {
        case 0:
            typed += '~';
            separator = false;
            break;
        case 1:
            typed += '!';
            separator = true;
            break;
        default:
            break;
        }
        e.input += "(" + std::string(a.ai) + ")" + typed;
        e.data += a.ai + data;
        if (separator && !last)
            e.data += '\x1D';
    }

    std::mt19937 rng_;
};

}  // namespace

TEST(Gs1_128Scan, RandomElementStringsReadBackAsGs1Data)
{
    element_string_generator gen(1207);
    int failures = 0;
    for (int i = 0; i < 1000 && failures <= 10; ++i) {
        const element_strings e = gen.next();
        failures += expectRead(scan(EAN128_Uni, e.input), e.input, e.data, e.data, true);
    }
}
