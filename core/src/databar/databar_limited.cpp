// SPDX-License-Identifier: Apache-2.0
#include "databar/databar_limited.hpp"

#include "databar/databar14.hpp"
#include "databar/databar_widths.hpp"
#include "tallowlib/errors.hpp"

#include <array>
#include <cstring>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::uint64_t leftRightDivisor = 2013571;
constexpr int elementsPerParity = 7;
constexpr int checksumModulus = 89;

// The value groups, ISO/IEC 24724 Table 6: range, odd and even modules, widest odd and even
// element, odd and even combinations (T). Both data characters are outside characters.
constexpr std::array<data_character_group, 7> limitedGroups = {{
    {0, 183063, 17, 9, 6, 3, 6538, 28},
    {183064, 820063, 13, 13, 5, 4, 875, 728},
    {820064, 1000775, 9, 17, 3, 6, 28, 6454},
    {1000776, 1491020, 15, 11, 5, 4, 2415, 203},
    {1491021, 1979844, 11, 15, 4, 5, 203, 2408},
    {1979845, 1996938, 19, 7, 8, 1, 17094, 1},
    {1996939, 2013570, 7, 19, 1, 8, 1, 16632},
}};

// The check character of each checksum, ISO/IEC 24724 Annex C.
constexpr std::array<std::string_view, checksumModulus> checkPatterns = {
    "11111111113311", "11111111123211", "11111111133111", "11111112113211", "11111112123111",
    "11111113113111", "11111211113211", "11111211123111", "11111212113111", "11111311113111",
    "11121111113211", "11121111123111", "11121112113111", "11121211113111", "11131111113111",
    "12111111113211", "12111111123111", "12111112113111", "12111211113111", "12121111113111",
    "13111111113111", "11111111212311", "11111111222211", "11111111232111", "11111112212211",
    "11111112222111", "11111113212111", "11111211212211", "11111211222111", "11111212212111",
    "11111311212111", "11121111212211", "11121111222111", "11121112212111", "11121211212111",
    "11131111212111", "12111111212211", "12111111222111", "12111112212111", "12111211212111",
    "12121111212111", "13111111212111", "11111111311311", "11111111321211", "11111112311211",
    "11121111311211", "12111111311211", "11111121112311", "11111121122211", "11111121132111",
    "11111122112211", "11121121112211", "11121121122111", "11121122112111", "11121221112111",
    "11131121112111", "12111121112211", "12111121122111", "12121121112111", "11112111112311",
    "11112111122211", "11112111132111", "11112112112211", "11112112122111", "11112211112211",
    "12112111112211", "12112111122111", "12112112112111", "12112211112111", "12122111112111",
    "13112111112111", "11211111112311", "11211111122211", "11211111132111", "11211112112211",
    "11211112122111", "11211113112111", "11211211112211", "11211211122111", "11221111112211",
    "21111111122211", "21111111132111", "21111112112211", "21111112122111", "21111113112111",
    "21111211122111", "21111212112111", "21121111122111", "21111111221211",
};

// The checksum weights (ISO/IEC 24724 Table 7): powers of 3 modulo 89.
constexpr std::array<int, 28> checksumWeights = powersOfThreeModulo<28>(checksumModulus);

bool indicatorAllowed(char indicator) { return indicator == '0' || indicator == '1'; }

static_assert(groupsAreContiguousAndFull(limitedGroups) && limitedGroups.back().max + 1 == leftRightDivisor);

constexpr std::size_t characterElements = 2 * elementsPerParity;

data_character dataCharacter(std::uint64_t value)
{
    return dataCharacterWidths(static_cast<std::int64_t>(value), true, limitedGroups, elementsPerParity);
}

std::string_view widthsOf(const data_character& c) { return {c.data(), characterElements}; }

char* put(char* p, std::string_view text)
{
    for (char c : text)
        *p++ = c;
    return p;
}

constexpr bool everyCheckPatternHasCharacterElements()
{
    for (std::string_view pattern : checkPatterns)
        if (pattern.size() != characterElements)
            return false;
    return true;
}
static_assert(everyCheckPatternHasCharacterElements());

// The check character's widths, copied as one block of known size.
char* putCheckCharacter(char* p, int checksum)
{
    std::memcpy(p, checkPatterns[static_cast<std::size_t>(checksum)].data(), characterElements);
    return p + characterElements;
}

}  // namespace

std::string_view limitedCheckPattern(int checksum)
{
    if (checksum < 0 || checksum >= checksumModulus)
        throw std::out_of_range("DataBar Limited checksum out of range");
    return checkPatterns[static_cast<std::size_t>(checksum)];
}

int limitedChecksum(std::string_view left, std::string_view right)
{
    if (left.size() != characterElements || right.size() != characterElements)
        throw std::invalid_argument("a DataBar Limited data character has 14 widths");
    int sum = 0;
    for (std::size_t k = 0; k < characterElements; ++k)
        sum += (left[k] - '0') * checksumWeights[k] + (right[k] - '0') * checksumWeights[characterElements + k];
    return sum % checksumModulus;
}

void databar_limited_encoder::checkCharacters(const std::string& input) const
{
    readGtin(input.c_str(), gtin_indicators::zero_or_one);
}

databar_limited_elements databarLimitedElements(const gtin_digits& digits)
{
    if (!indicatorAllowed(digits[1]))
        throw std::invalid_argument("DataBar Limited takes indicator digit 0 or 1");
    const std::uint64_t value = gtinValue(digits);
    const data_character left = dataCharacter(value / leftRightDivisor);
    const data_character right = dataCharacter(value % leftRightDivisor);

    databar_limited_elements elements{};
    char* p = elements.data();
    p = put(p, "11");
    p = put(p, widthsOf(left));
    p = putCheckCharacter(p, limitedChecksum(widthsOf(left), widthsOf(right)));
    p = put(p, widthsOf(right));
    put(p, "11");
    return elements;
}

std::string databarLimitedElementWidths(const gtin_digits& digits)
{
    const databar_limited_elements elements = databarLimitedElements(digits);
    return std::string(elements.data(), elements.size());
}

int databar_limited_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    const gtin_digits digits = gtinDigits(input, gtin_indicators::zero_or_one);
    barcode = databarLimitedElementWidths(digits);
    humanReadable = gtinHumanReadable(digits);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
