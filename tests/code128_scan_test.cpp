// SPDX-License-Identifier: Apache-2.0
// Scan round trips: Code 128 font text drawn and read back by zbar and zxing-cpp (GS1-128:
// gs1_scan_test.cpp).
#include "Tarnwick.h"
#include "scan_support.hpp"

#include "tallowlib/font_text_reader.hpp"

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
