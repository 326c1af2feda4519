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
std::size_t maxDataLength(const ai_definition* row, std::size_t recordLimit);

// "AI (01): " and the rest of a diagnostic.
std::string aiDiagnostic(std::string_view ai, std::string_view what);

// The text quoted for a diagnostic, at most `limit` characters of it and "..." after.
std::string quoted(std::string_view text, std::size_t limit = 24);

// The status of the first character fault (0 when none): `position` counts from 1 in the
// data as typed, `c` is the character there.
int characterFault(std::string_view ai, const ai_definition* row, std::size_t position, char c,
                   std::string& diagnostic);

// The length rule for `n` data characters (blanks not counted): 0, or bad_length with the
// diagnostic. Fixed-length fields with a check digit may leave the check digit out.
int lengthFault(std::string_view ai, const ai_definition* row, std::size_t n, std::size_t recordLimit,
                std::string& diagnostic);

// Whether the row's check digit was left out of data of `n` characters (it is then computed).
bool checkDigitLeftOut(const ai_definition* row, std::size_t n);

// The check digit and date rules on the whole data of the element: 0, or the fault's status
// with the diagnostic.
int valueFault(std::string_view ai, const ai_definition* row, std::string_view data, std::string& diagnostic);

}  // namespace Kelbrin::Tallowlib::detail
