// SPDX-License-Identifier: Apache-2.0
// GS1-128: the Code 128 message built from element strings, its symbol values, the
// human-readable text, and the errors of malformed element strings.
#include "code128/code128_encoder.hpp"
#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"
#include "gs1/ean128_encoder.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

std::vector<int> valuesOf(const std::string& message)
{
    const auto values = encodeCode128Values(tokenizeCode128(message.data(), message.size()));
    return {values.begin(), values.end()};
}

std::string modulesOf(const std::vector<std::uint8_t>& values)
{
    std::string text, modules;
    appendCode128FontText(values, text);
    appendModulesOfFontText(text, modules);
    return modules;
}

struct message_case {
    std::string input;
    std::string message;
    std::string human;
};


// The check digit the long way: weights 3, 1, 3, ... from the last character backwards.
int referenceMod10(const std::string& text)
{
    long long sum = 0;
    int weight = 3;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        sum += weight * (static_cast<unsigned char>(*it) - 48);
        weight = 4 - weight;
    }
    const auto rest = static_cast<int>(sum % 10);
    return rest == 0 ? 0 : 10 - rest;
}

}  // namespace

TEST(Ean128Message, Fnc1FirstAndBetweenElementsWhereNeeded)
{
    const std::string gsin = "1234567890123456" + std::string(1, gs1CheckDigit("1234567890123456"));
    const message_case cases[] = {
        {"(01)12345678901231", "~10112345678901231", "(01)12345678901231"},
        {"(01)12345678901231(10)ABC123", "~10112345678901231" "10ABC123", "(01)12345678901231(10)ABC123"},
        {"(10)ABC123(17)091231", "~110ABC123~117091231", "(10)ABC123(17)091231"},
        {"(10)ABC123~(17)091231", "~110ABC12317091231", "(10)ABC123(17)091231"},
        {"(17)091231!(10)ABC", "~117091231~110ABC", "(17)091231(10)ABC"},
        {"(01)1234567890123", "~10112345678901231", "(01)12345678901231"},    // check digit added
        {"(01)1234 5678 9012 3", "~10112345678901231", "(01)1234 5678 9012 3 1"},
        {"(7004)ABC", "~17004ABC", "(7004)ABC"},                              // unknown AI, unchecked
        {"(7004)ABC(10)X", "~17004ABC~110X", "(7004)ABC(10)X"},
        {"(7004)ABC~(10)X", "~17004ABC10X", "(7004)ABC(10)X"},
        {"(10)X!", "~110X", "(10)X"},                                          // never an FNC1 at the end
        {"", "~1", ""},
        // Fixed length alone does not spare the FNC1: only AIs of predefined length do.
        {"(11)091231(3103)001250(00)123456789012345675(10)A", "~111091231310300125000123456789012345675" "10A",
         "(11)091231(3103)001250(00)123456789012345675(10)A"},
        {"(402)" + gsin + "(10)A", "~1402" + gsin + "~110A", "(402)" + gsin + "(10)A"},
        {"(422)276(8005)000120(7003)0912311530(10)A", "~1422276~18005000120~170030912311530~110A",
         "(422)276(8005)000120(7003)0912311530(10)A"},
        {"(426)276~(10)A", "~142627610A", "(426)276(10)A"},
    };
    for (const auto& c : cases) {
        std::string message = "stale", human = "stale";
        ean128Message(c.input.c_str(), message, human);
        EXPECT_EQ(message, c.message) << c.input;
        EXPECT_EQ(human, c.human) << c.input;
    }
}

TEST(Ean128Encoder, SymbolValuesOfWorkedExamples)
{
    const struct {
        std::string input;
        std::vector<std::uint8_t> values;
    } cases[] = {
        {"(01)12345678901231", {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74, 106}},
        {"(01)12345678901231(10)ABC123",
         {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 10, 100, 33, 34, 35, 17, 18, 19, 69, 106}},
        {"(10)ABC123(17)091231", {105, 102, 10, 100, 33, 34, 35, 17, 99, 23, 102, 17, 9, 12, 31, 45, 106}},
        {"", {104, 102, 0, 106}},
    };
    const ean128_encoder enc;
    for (const auto& c : cases) {
        std::string barcode, human;
        EXPECT_EQ(enc.encode(c.input.c_str(), 1, barcode, human), 1);
        EXPECT_EQ(barcode, modulesOf(c.values)) << c.input;
        std::string again;
        enc.encode(c.input.c_str(), 0, again, human);  // the flag changes nothing
        EXPECT_EQ(again, barcode);
        enc.encode(c.input.c_str(), again, human);
        EXPECT_EQ(again, barcode);
    }
    EXPECT_EQ(valuesOf("~10112345678901231"), (std::vector<int>{105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74, 106}));
}

// The font line is the Code 128 font text of the whole message, read as one text: an escape
// may run from one element into the next, and a message may outgrow the storage the line
// is built in.
TEST(Ean128Encoder, FontLineIsTheFontTextOfTheWholeMessage)
{
    std::string many;
    for (int i = 0; i < 12; ++i)
        many += "(7004)ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789(10)X" + std::to_string(i);
    const std::string inputs[] = {
        "(01)12345678901231(10)ABC123(17)091231",
        "(7004)Ad12~(17)091231",
        "(7004)X~(10)1",
        many,
    };
    for (const auto& input : inputs) {
        std::string message, human, font, lineHuman;
        ean128Message(input.c_str(), message, human);
        code128FontText(message.data(), message.size(), font);
        std::vector<std::string> lines;
        encodeFontLines(symbology::gs1_128, input.c_str(), 22, lines, &lineHuman);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines.front(), font) << input;
        EXPECT_EQ(lineHuman, human) << input;
    }
    // "~" in element data is no Code 128 escape: it is refused, never sent as "~d12" or FNC1.
    for (const char* escaped : {"(7004)A~d12~(17)091231", "(7004)X~(10)~1"}) {
        std::string message, human;
        EXPECT_THROW(ean128Message(escaped, message, human), invalid_ean128_format_error) << escaped;
    }
    EXPECT_GT(many.size(), 400u);
    EXPECT_EQ(tokenizeCode128("~17004A~d1217091231", 19)[6], 121);
}

TEST(Ean128Encoder, MalformedElementStringsThrowTheirCode)
{
    const ean128_encoder enc;
    EXPECT_EQ(enc.characterSet(), "####");
    const struct {
        const char* input;
        int code;
        const char* message;
    } cases[] = {
        {"01)123", 12, error_text::badStructure},
        {"(01123", 12, error_text::badStructure},
        {"(0A)1", 10, error_text::aiNotNumeric},
        {"()1", 10, error_text::aiNotNumeric},
        {"(11)12345", 14, error_text::badDataLength},
        {"(01)1234567890123A", 13, error_text::dataNotNumeric},
        {"(02)123456789012X", 13, error_text::dataNotNumeric},  // also too short: the first fault counts
        {"(10)AB\t", 11, error_text::dataNotAlphanumeric},
        {"(10)A(11)0901", 14, error_text::badDataLength},      // a later element
        {"(10)ABCDEFGHIJKLMNOPQRSTU", 14, error_text::badDataLength},
        {"(01)12345678901234", 12, error_text::badStructure},  // a wrong check digit is not replaced
        {"(10)", 14, error_text::badDataLength},
    };
    for (const auto& c : cases) {
        for (int path = 0; path < 2; ++path) {
            std::string barcode = "stale", human;
            try {
                if (path == 0)
                    enc.encode(c.input, 1, barcode, human);
                else
                    enc.checkCharacters(c.input);
                ADD_FAILURE() << c.input << " accepted";
            } catch (const barlib_error& e) {
                EXPECT_NE(dynamic_cast<const invalid_ean128_format_error*>(&e), nullptr);
                EXPECT_EQ(e.code, c.code) << c.input;
                EXPECT_EQ(e.message, c.message) << c.input;
            }
            if (path == 0) {
                EXPECT_TRUE(barcode.empty()) << "nothing encoded for " << c.input;
            }
        }
    }
    EXPECT_NO_THROW(enc.checkCharacters("(01)12345678901231(10)ABC"));
    EXPECT_NO_THROW(enc.checkCharacters(""));
}

TEST(Gs1CheckDigit, MatchesTheWeightedSumFromTheEnd)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 25, '0');
        for (char& c : text)
            c = rng() % 8 == 0 ? static_cast<char>(rng()) : static_cast<char>('0' + rng() % 10);
        ASSERT_EQ(gs1Mod10(text), referenceMod10(text)) << text;
    }
    EXPECT_EQ(gs1CheckDigit("9889876543210"), '6');
    EXPECT_EQ(gs1Mod10(""), 0);
}
