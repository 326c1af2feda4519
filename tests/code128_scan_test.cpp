// Scan round trips: Code 128 and GS1-128 font text drawn and read back by zbar and zxing-cpp.
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
        const int pieces = 1 + pick(12);
        for (int i = 0; i < pieces || m.bytes.empty(); ++i) {
            const std::size_t before = m.bytes.size();
            const bool fnc1 = addPiece(m);
            if (m.bytes.size() != before)
                m.endsWithFnc1 = fnc1;
        }
        return m;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    static std::string threeDigits(int code)
    {
        return {static_cast<char>('0' + code / 100), static_cast<char>('0' + code / 10 % 10),
                static_cast<char>('0' + code % 10)};
    }

    // Returns true when the piece is an FNC1.
    bool addPiece(message& m)
    {
        switch (pick(10)) {
        case 0:
        case 1: {  // digit runs of every length and so of every parity
            const int len = 1 + pick(9);
            for (int k = 0; k < len; ++k) {
                const char d = static_cast<char>('0' + pick(10));
                m.text += d;
                m.bytes += d;
            }
            break;
        }
        case 2: {  // upper case and punctuation (set A and B)
            const char c = static_cast<char>(32 + pick(64));
            if (c == '~') {
                m.text += "~d126";
            }
            else {
                m.text += c;
            }
            m.bytes += c;
            break;
        }
        case 3: {  // lower case (set B only)
            const char c = static_cast<char>(96 + pick(30));  // '`'..'}'
            m.text += c;
            m.bytes += c;
            break;
        }
        case 4: {  // control characters: "~@".."~Z", "~dNNN", or DEL as it is
            const int code = pick(33);
            if (code == 32) {
                m.text += '\x7F';
                m.bytes += '\x7F';
            }
            else {
                m.text += code <= 26 ? std::string{'~', static_cast<char>('@' + code)} : "~d" + threeDigits(code);
                m.bytes += static_cast<char>(code);
            }
            break;
        }
        case 5:
        case 6: {  // bytes 128..255, alone or in runs that make the FNC4 latch worthwhile
            const int len = pick(2) == 0 ? 1 : 2 + pick(6);
            for (int k = 0; k < len; ++k) {
                const int code = 128 + pick(128);
                m.text += pick(3) == 0 && code != 128 + '~' ? std::string(1, static_cast<char>(code))
                                                             : "~d" + threeDigits(code);
                m.bytes += static_cast<char>(code);
            }
            break;
        }
        case 7:  // FNC1 inside the message (readers report it as GS)
            if (m.bytes.size() >= 3) {
                m.text += "~1";
                m.bytes += '\x1D';
                return true;
            }
            break;
        case 8:  // "~" that starts no escape
        {
            const char* literal = pick(2) == 0 ? "~d9x" : "~x";
            m.text += literal;
            m.bytes += literal;
            break;
        }
        default: {  // mixed case text
            const char* words[] = {"Abc", "xyZ", "Q-7", "hello", "WORLD"};
            const char* w = words[pick(5)];
            m.text += w;
            m.bytes += w;
            break;
        }
        }
        return false;
    }

    std::mt19937 rng_;
};

std::string hex(const std::string& s)
{
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    return out;
}

// zbar reports bytes 128..255 without their high bit and leaves out an FNC1 at the end.
std::string asZbarReads(const message& m)
{
    std::string s = m.bytes;
    if (m.endsWithFnc1)
        s.pop_back();
    for (char& c : s)
        c = static_cast<char>(c & 0x7F);
    return s;
}

}  // namespace

TEST(Code128Scan, RandomMessagesReadBackByBothReaders)
{
    message_generator gen(20261207);
    int zbarFailures = 0, zxingFailures = 0;
    for (int i = 0; i < 2000; ++i) {
        const message m = gen.next();
        const scan_result r = scan(Code128_Uni, m.text);
        const bool zbarOk = r.zbar.size() == 1 && r.zbar[0].data == asZbarReads(m);
        const bool zxingOk = r.zxing.size() == 1 && r.zxing[0].data == m.bytes && r.zxing[0].format == "Code128";
        EXPECT_TRUE(zbarOk) << "zbar, message " << m.text << " read " << (r.zbar.empty() ? "nothing" : hex(r.zbar[0].data)) << " expected " << hex(asZbarReads(m));
        EXPECT_TRUE(zxingOk) << "zxing, message " << m.text << " read "
                             << (r.zxing.empty() ? "nothing" : hex(r.zxing[0].data)) << " expected " << hex(m.bytes);
        zbarFailures += !zbarOk;
        zxingFailures += !zxingOk;
        if (zbarFailures + zxingFailures > 10)
            FAIL() << "too many failures";
    }
}
