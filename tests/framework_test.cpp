// SPDX-License-Identifier: Apache-2.0
#include "barcode_encoder.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

using namespace Kelbrin::Tallowlib;

namespace {

class fixed_set_encoder : public barcode_encoder {
public:
    explicit fixed_set_encoder(std::string set) : set_(std::move(set)) {}
    std::string characterSet() const override { return set_; }
    int encode(const char*, std::string&, std::string&) const override { return 1; }

private:
    std::string set_;
};

}  // namespace

TEST(CheckCharacters, MarkersAcceptEverything)
{
    for (const char* marker : {"@@@@", "####"}) {
        fixed_set_encoder e(marker);
        EXPECT_NO_THROW(e.checkCharacters(""));
        EXPECT_NO_THROW(e.checkCharacters(std::string("any\x01\xff text")));
    }
}

TEST(CheckCharacters, FirstMissingCharacterIsReported)
{
    fixed_set_encoder digits("0123456789");
    EXPECT_NO_THROW(digits.checkCharacters(""));
    EXPECT_NO_THROW(digits.checkCharacters("0042"));
    try {
        digits.checkCharacters("12x4y");
        FAIL() << "expected invalid_character_error";
    } catch (const invalid_character_error& e) {
        EXPECT_EQ(e.code, 1);
        EXPECT_EQ(e.message,
                  "Invalid character found. The character x can not be encoded by the current symbology.");
    }
    fixed_set_encoder empty("");
    EXPECT_THROW(empty.checkCharacters("a"), invalid_character_error);
}

TEST(Errors, FormatErrorKeepsCodeAndMessageThroughBase)
{
    try {
        throw invalid_ean128_format_error(error_text::badStructure, 12);
    } catch (const barlib_error& e) {
        EXPECT_EQ(e.code, 12);
        EXPECT_EQ(e.message,
                  "Invalid UCC/EAN-128 structure. Check whether the AI and field ID are enclosed with parenthesis. ");
    }
}

TEST(CheckDigit, Gs1Mod10)
{
    EXPECT_EQ(gs1Mod10("1234567890123"), 1);
    EXPECT_EQ(gs1Mod10(""), 0);
    EXPECT_EQ(gs1CheckDigit("01234567890123"), '1');
    EXPECT_EQ(gs1CheckDigit("0123456789012"), '8');
    EXPECT_EQ(gs1CheckDigit("2001234567890"), '9');
    EXPECT_EQ(gs1CheckDigit("00000000000000"), '0');
    EXPECT_EQ(gs1CheckDigit("400638133393"), '1');  // GTIN-13 4006381333931
}
