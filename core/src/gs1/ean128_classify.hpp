// SPDX-License-Identifier: Apache-2.0
// Internals of the element-string parser: the style-4 rules it holds and the
// classification of one element against the AI dictionary.
#pragma once

#include "gs1/ean128_element.hpp"

#include <regex>
#include <span>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib::detail {

// A formatting rule added to a parser, compiled when it is added.
struct custom_hr_rule {
    std::regex aiPattern;
    std::regex expression;  // case-insensitive
    std::string replacement;
};

// What the human-readable text of one element is built from.
struct element_texts {
    std::string_view ai;
    std::string_view typed;       // the data as typed, its separator marker removed
    std::string_view normalised;  // the data without blanks, a left-out check digit added
};

// Human-readable text of one element in `style` (not yet cut to the record's field).
std::string humanReadableText(const element_texts& texts, int style, std::span<const custom_hr_rule> rules);

// Fills `out` for the element "(" ai ")" typedData (ai being 2 to 4 digits) and returns 0,
// or the status bit of its first fault with `diagnostic` saying what it is. `out.text` stays
// empty unless `withText` and the element is valid.
int classifyElement(std::string_view ai, std::string_view typedData, int style,
                    std::span<const custom_hr_rule> rules, ean128_element& out, bool withText,
                    std::string& diagnostic);

}  // namespace Kelbrin::Tallowlib::detail
