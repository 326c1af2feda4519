// SPDX-License-Identifier: Apache-2.0
// The rules the data of every GS1 element meets, for GS1-128 and DataBar Expanded alike:
// the characters its AI allows, its length, its check digit and its dates. Nothing is
// padded, cut or corrected: data that breaks a rule is refused with a diagnostic that
// says what is wrong, where and what is expected.
#pragma once

#include "gs1/ai_dictionary.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib::detail {

// Character classes of element data, as bits of elementCharacterClass.
inline constexpr std::uint8_t digit_character = 1;
inline constexpr std::uint8_t gs1_character = 2;  // the 82 characters element data may hold

// GS1's 82 characters: digits, letters and the punctuation ! " % & ' ( ) * + , - . / : ; < =
// > ? _ (no blank, "#", "$", "@", "[", "\", "]", "^", "`", "{", "|", "}" or "~").
inline constexpr auto elementCharacterClasses = [] {
    std::array<std::uint8_t, 256> t{};
    for (int c = '0'; c <= '9'; ++c)
        t[static_cast<std::size_t>(c)] = digit_character | gs1_character;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[static_cast<std::size_t>(c)] = gs1_character;
    for (int c = 'a'; c <= 'z'; ++c)
        t[static_cast<std::size_t>(c)] = gs1_character;
    for (char c : std::string_view("!\"%&'()*+,-./:;<=>?_"))
        t[static_cast<unsigned char>(c)] = gs1_character;
    return t;
}();

inline std::uint8_t elementCharacterClass(char c)
{
    return elementCharacterClasses[static_cast<unsigned char>(c)];
}

// The class an element's data must keep to: digits for a numeric AI, else GS1's set.
inline std::uint8_t requiredClass(const ai_definition* row)
{
    return row != nullptr && row->charset == ai_numeric ? digit_character : gs1_character;
}

// The most data characters an element may have: its row's maximum, or what the record of
// an element holds for an AI outside the dictionary.
inline std::size_t maxDataLength(const ai_definition* row, std::size_t recordLimit)
{
    if (row == nullptr)
        return recordLimit;
    const int most = row->fixedLength() ? row->length : row->max_length;
    return static_cast<std::size_t>(most > 0 ? most : 0);
}

// "AI (01): " and the rest of a diagnostic.
std::string aiDiagnostic(std::string_view ai, std::string_view what);

// The text quoted for a diagnostic, at most `limit` characters of it and "..." after.
std::string quoted(std::string_view text, std::size_t limit = 24);

// The status of the first character fault (0 when none): `position` counts from 1 in the
// data as typed, `c` is the character there.
int characterFault(std::string_view ai, const ai_definition* row, std::size_t position, char c,
                   std::string& diagnostic);

// Whether the row's check digit was left out of data of `n` characters (it is then computed).
inline bool checkDigitLeftOut(const ai_definition* row, std::size_t n)
{
    return row != nullptr && row->fixedLength() && row->check_digit == 1 && row->length > 0 &&
           n + 1 == static_cast<std::size_t>(row->length);
}

// Whether `n` data characters (blanks not counted) meet the length rule: the row's fixed
// length (or one less where the check digit may be left out), else 1 to its maximum (to
// what the record holds for an AI outside the dictionary).
inline bool lengthAllowed(const ai_definition* row, std::size_t n, std::size_t recordLimit)
{
    const std::size_t most = maxDataLength(row, recordLimit);
    if (row != nullptr && row->fixedLength())
        return n == most || checkDigitLeftOut(row, n);
    const auto least = static_cast<std::size_t>(row != nullptr && row->length > 0 ? row->length : 1);
    return n >= least && n <= most;
}

// The length rule for `n` data characters: 0, or bad_length with the diagnostic.
int lengthFault(std::string_view ai, const ai_definition* row, std::size_t n, std::size_t recordLimit,
                std::string& diagnostic);

// Whether an element of the AI may hold a date: AIs "1n", 7003 and 8008.
inline bool mayHoldDate(std::string_view ai)
{
    return ai.size() == 2 ? ai[0] == '1' : ai.size() == 4 && (ai[0] == '7' || ai[0] == '8');
}

// Whether the element's value has rules beyond its characters and length.
inline bool hasValueRules(std::string_view ai, const ai_definition* row)
{
    return (row != nullptr && row->check_digit == 1) || mayHoldDate(ai);
}

// The check digit and date rules on the whole data of the element: 0, or the fault's status
// with the diagnostic.
int valueFault(std::string_view ai, const ai_definition* row, std::string_view data, std::string& diagnostic);

}  // namespace Kelbrin::Tallowlib::detail
