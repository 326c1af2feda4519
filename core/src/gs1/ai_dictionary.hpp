// SPDX-License-Identifier: Apache-2.0
// The GS1 Application Identifier dictionary: which AIs are known, how long their data
// must be, which characters it may hold and whether it ends in a check digit; plus the
// rules that group the digits of some fields for human-readable text.
// Both tables are compiled-in constants. AIs are looked up in an index built at compile
// time; the formatting rules' regular expressions are compiled once, on first use, and are
// safe to use from several threads at once.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

// Values of ai_definition::charset.
inline constexpr std::int32_t ai_numeric = 0;       // decimal digits only
inline constexpr std::int32_t ai_alphanumeric = 1;  // printable characters, codes 32 to 126

// One dictionary row.
struct ai_definition {
    char pattern[20];  // the AIs of the row: digits, and digit classes "[x-y]"
    std::int32_t length;      // fixed length when max_length is -1, else the minimum (0 = none)
    std::int32_t max_length;  // maximum length, or -1 for a fixed-length field
    std::int32_t charset;
    std::int32_t check_digit;  // 1: the last of `length` digits is a GS1 mod-10 check digit
    char description[80];

    constexpr bool fixedLength() const { return max_length == -1; }
};

// One human-readable formatting rule: every match of `expression` (case-insensitive) in the
// data is replaced by `replacement`, "$1".."$5" standing for its groups.
struct ai_hr_rule {
    char ai_pattern[20];  // the AIs of the rule, written like ai_definition::pattern
    char expression[40];
    char replacement[40];
};

// The 63 dictionary rows, in search order.
std::span<const ai_definition> aiDefinitions();
// The four formatting rules, in search order.
std::span<const ai_hr_rule> aiFormattingRules();

// First dictionary row matching the AI, or nullptr.
const ai_definition* findAiDefinition(std::string_view ai);
// First formatting rule whose AI pattern takes the whole AI, or nullptr.
const ai_hr_rule* findAiFormattingRule(std::string_view ai);

// Replaces every match of the rule's expression in the data (rules of aiFormattingRules()
// use their precompiled expression).
std::string applyAiFormattingRule(const ai_hr_rule& rule, std::string_view data);

// True for the AIs of predefined length (first two digits 00 to 04, 11 to 20, 23, 31 to 36
// or 41): only their element strings may be followed by another without an FNC1.
bool aiHasPredefinedLength(std::string_view ai);

}  // namespace Kelbrin::Tallowlib
