// SPDX-License-Identifier: Apache-2.0
#include "databar/databar14.hpp"

#include "databar/databar_widths.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include "databar/databar_width_search.hpp"

#include <cstdio>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::uint64_t leftRightDivisor = 4537077;
constexpr std::int64_t characterDivisor = 1597;
constexpr int elementsPerParity = 4;

// The finder patterns, ISO/IEC 24724 Table 4.
constexpr std::array<std::string_view, 9> finderPatterns = {
    "38211", "35511", "33711", "31911", "27411", "25611", "23811", "15711", "13911",
};

constexpr int checksumModulus = 79;

// The checksum weights (ISO/IEC 24724 Table 5): powers of 3 modulo 79.
constexpr std::array<int, 32> checksumWeights = powersOfThreeModulo<32>(checksumModulus);

using character_text = std::array<char, 2 * elementsPerParity>;

// A data character's widths and its part of the checksum, both read from the width tables.
struct weighted_character {
    character_text text;
    int checksumPart;
};

static_assert(groupsAreContiguousAndFull(databar14OutsideGroups) && groupsAreContiguousAndFull(databar14InsideGroups));

// Every odd and every even width set of one family of groups, worked out by the width routine
// at compile time (807 sets in all): the characters of DataBar-14 and its stacked forms are
// looked up, as the stacked forms have no time to search them. The sets of group g's odd
// combinations start at odd[g], those of its even ones at even[g]. With each set, its part of
// the checksum in the first and in the second character of the table's kind (outside:
// characters 0 and 2 of the symbol; inside: 1 and 3), as the odd or even widths it is.
template <std::size_t Groups, std::size_t Sets>
struct width_table {
    std::array<std::uint16_t, Groups> odd{};
    std::array<std::uint16_t, Groups> even{};
    std::array<std::array<char, elementsPerParity>, Sets> sets{};
    std::array<std::array<int, 2>, Sets> checksumParts{};
};

template <std::size_t Groups>
constexpr std::size_t widthSetCount(const std::array<data_character_group, Groups>& groups)
{
    std::size_t n = 0;
    for (const auto& g : groups)
        n += static_cast<std::size_t>(g.n_odd + g.n_even);
    return n;
}

template <std::size_t Sets, std::size_t Groups>
constexpr auto tabulateWidths(const std::array<data_character_group, Groups>& groups, bool outside)
{
    width_table<Groups, Sets> t{};
    std::size_t next = 0;
    // Odd widths are the elements 0, 2, 4, 6 of a character, even widths 1, 3, 5, 7.
    const auto add = [&](int count, int modules, int widest, bool noNarrow, std::size_t parity) {
        const auto first = static_cast<std::uint16_t>(next);
        for (int v = 0; v < count; ++v) {
            const parity_widths w = detail::searchWidths(v, modules, elementsPerParity, widest, noNarrow);
            for (std::size_t k = 0; k < elementsPerParity; ++k) {
                t.sets[next][k] = static_cast<char>('0' + w[k]);
                for (std::size_t n = 0; n < 2; ++n) {
                    const std::size_t character = 2 * n + (outside ? 0 : 1);
                    t.checksumParts[next][n] += w[k] * checksumWeights[2 * elementsPerParity * character + 2 * k + parity];
                }
            }
            ++next;
        }
        return first;
    };
    for (std::size_t g = 0; g < Groups; ++g) {
        t.odd[g] = add(groups[g].n_odd, groups[g].odd_modules, groups[g].widest_odd, outside, 0);
        t.even[g] = add(groups[g].n_even, groups[g].even_modules, groups[g].widest_even, !outside, 1);
    }
    return t;
}

constexpr auto outsideWidths = tabulateWidths<widthSetCount(databar14OutsideGroups)>(databar14OutsideGroups, true);
constexpr auto insideWidths = tabulateWidths<widthSetCount(databar14InsideGroups)>(databar14InsideGroups, false);

// The data character `value` as dataCharacterWidths gives it, from the tables, the
// `index`-th of the symbol (0 to 3).
template <std::size_t Groups, std::size_t Sets>
weighted_character dataCharacter(std::int64_t value, std::size_t index, bool outside,
                                 const std::array<data_character_group, Groups>& groups,
                                 const width_table<Groups, Sets>& table)
{
    const character_combinations c = splitDataCharacter(value, outside, groups);
    const std::size_t odd = table.odd[c.group] + static_cast<std::size_t>(c.odd);
    const std::size_t even = table.even[c.group] + static_cast<std::size_t>(c.even);
    weighted_character d{};
    for (std::size_t k = 0; k < elementsPerParity; ++k) {
        d.text[2 * k] = table.sets[odd][k];
        d.text[2 * k + 1] = table.sets[even][k];
    }
    d.checksumPart = table.checksumParts[odd][index / 2] + table.checksumParts[even][index / 2];
    return d;
}

template <typename Text>
char* put(char* p, const Text& text)
{
    for (char c : text)
        *p++ = c;
    return p;
}

template <typename Text>
char* putReversed(char* p, const Text& text)
{
    for (auto it = text.rbegin(); it != text.rend(); ++it)
        *p++ = *it;
    return p;
}

constexpr std::string_view gtinPrefix = "(01)";
constexpr std::string_view gtinLengths = "a GTIN takes 13 digits (the check digit is then computed) or 14";

[[noreturn, gnu::cold]] void refuse(std::string diagnostic)
{
    throw invalid_character_error(error_text::invalidCharacterInData, 1, std::move(diagnostic));
}

// `c`, the character at offset `offset`, refused; a byte outside printable ASCII is shown
// as \xNN.
[[noreturn, gnu::cold]] void refuseCharacter(std::ptrdiff_t offset, char c, std::string_view expected)
{
    const auto byte = static_cast<unsigned char>(c);
    char shown[5] = {c, '\0'};
    if (byte < 0x20 || byte >= 0x7F)
        std::snprintf(shown, sizeof shown, "\\x%02X", byte);
    refuse("character " + std::to_string(offset + 1) + " \"" + shown + "\": " + std::string(expected));
}

[[noreturn, gnu::cold]] void refuseDigitCount(std::size_t count)
{
    const std::string digits = count == 0 ? "no digits" : count == 1 ? "1 digit" : std::to_string(count) + " digits";
    refuse(digits + ": " + std::string(gtinLengths));
}

// The check digit, when given, and the indicator digit of the GTIN read.
void checkGtin(const gtin_input& g, char checkDigit, gtin_indicators indicators)
{
    if (g.checkDigitGiven) {
        const char expected = gs1CheckDigit(std::string_view(g.digits.data() + 1, 13));
        if (checkDigit != expected)
            refuse(std::string("check digit ") + checkDigit + ", expected " + expected);
    }
    if (indicators == gtin_indicators::zero_or_one && g.digits[1] > '1')
        refuse(std::string("indicator digit ") + g.digits[1] + ": DataBar Limited takes 0 or 1");
}

constexpr bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// readGtin from `p` on, `count` digits read before it: blanks, "(01)", the digits past the
// 13th, and every refusal.
[[gnu::noinline]] void readRest(const char* input, const char* p, std::size_t count, gtin_indicators indicators,
                                gtin_input& g)
{
    if (input == nullptr || *input == '\0')
        refuse("no data: " + std::string(gtinLengths));
    char* const written = g.digits.data() + 1;  // the first 13 digits
    char checkDigit = '0';                       // the 14th
    std::size_t prefix = 0;                      // characters of "(01)" read
    for (; *p != '\0'; ++p) {
        const char c = *p;
        if (c == ' ' || c == '\t')
            continue;
        if (prefix != 0 && prefix < gtinPrefix.size()) {
            if (c != gtinPrefix[prefix])
                refuseCharacter(p - input, c, "\"(01)\" expected before the GTIN");
            ++prefix;
        } else if (isDigit(c)) {
            if (count < 13)
                written[count] = c;
            else if (count == 13)
                checkDigit = c;
            ++count;
        } else if (c == '(' && count == 0 && prefix == 0) {
            prefix = 1;
        } else {
            refuseCharacter(p - input, c, "a GTIN holds digits only");
        }
    }
    if (count != 13 && count != 14)
        refuseDigitCount(count);
    g.checkDigitGiven = count == 14;
    checkGtin(g, checkDigit, indicators);
}

}  // namespace

gtin_input readGtin(const char* input, gtin_indicators indicators)
{
    gtin_input g;
    readGtin(input, indicators, g);
    return g;
}

void readGtin(const char* input, gtin_indicators indicators, gtin_input& g)
{
    g.digits[0] = '0';
    g.checkDigitGiven = false;
    std::size_t count = 0;
    const char* p = input == nullptr ? "" : input;
    // 13 digits alone, the usual input, are done here; anything else goes on from where
    // this stops, so the input is still read once.
    while (count < 13 && isDigit(*p))
        g.digits[1 + count++] = *p++;
    if (count != 13 || *p != '\0' || (indicators == gtin_indicators::zero_or_one && g.digits[1] > '1'))
        readRest(input, p, count, indicators, g);
}

gtin_digits gtinDigits(const char* input, gtin_indicators indicators) { return readGtin(input, indicators).digits; }

std::uint64_t gtinValue(const gtin_digits& digits)
{
    // Two halves side by side, each a chain of multiplications half as long.
    constexpr std::size_t half = 7;
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    for (std::size_t k = 0; k < half; ++k) {
        high = high * 10 + static_cast<std::uint64_t>(digits[k] - '0');
        low = low * 10 + static_cast<std::uint64_t>(digits[k + half] - '0');
    }
    return high * 10'000'000 + low;
}

std::string gtinHumanReadable(const gtin_digits& d)
{
    const std::string_view all(d.data(), d.size());
    std::string text = "(01) ";
    text.reserve(24);
    text += all.substr(1, 1);
    text += ' ';
    text += all.substr(2, 7);
    text += ' ';
    text += all.substr(9, 5);
    text += ' ';
    text += gs1CheckDigit(all);
    return text;
}

databar14_elements databar14Elements(const gtin_digits& digits)
{
    const std::uint64_t value = gtinValue(digits);
    const auto left = static_cast<std::int64_t>(value / leftRightDivisor);
    const auto right = static_cast<std::int64_t>(value % leftRightDivisor);
    const std::array<weighted_character, 4> c = {
        dataCharacter(left / characterDivisor, 0, true, databar14OutsideGroups, outsideWidths),
        dataCharacter(left % characterDivisor, 1, false, databar14InsideGroups, insideWidths),
        dataCharacter(right / characterDivisor, 2, true, databar14OutsideGroups, outsideWidths),
        dataCharacter(right % characterDivisor, 3, false, databar14InsideGroups, insideWidths),
    };

    int t = (c[0].checksumPart + c[1].checksumPart + c[2].checksumPart + c[3].checksumPart) % checksumModulus;
    if (t >= 8)
        ++t;
    if (t >= 72)
        ++t;
    const std::string_view leftFinder = finderPatterns[static_cast<std::size_t>(t / 9)];
    const std::string_view rightFinder = finderPatterns[static_cast<std::size_t>(t % 9)];

    databar14_elements text{};
    char* p = text.data();
    p = put(p, std::string_view("11"));
    p = put(p, c[0].text);
    p = put(p, leftFinder);
    p = putReversed(p, c[1].text);
    p = put(p, c[3].text);
    p = putReversed(p, rightFinder);
    p = putReversed(p, c[2].text);
    put(p, std::string_view("11"));
    return text;
}

std::string databar14ElementWidths(const gtin_digits& digits)
{
    const databar14_elements e = databar14Elements(digits);
    return std::string(e.data(), e.size());
}

int databar14_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    const gtin_digits digits = gtinDigits(input);
    barcode = databar14ElementWidths(digits);
    humanReadable = gtinHumanReadable(digits);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
