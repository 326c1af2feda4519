// Internals of the element-string parser: the style-4 rules it holds and the
// classification of one element against the AI dictionary.
#pragma once

#include "gs1/ean128_element.hpp"

#include <boost/regex.hpp>

#include <span>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib::detail {

// A formatting rule added to a parser, compiled when it is added.
struct custom_hr_rule {
    boost::regex aiPattern;
    boost::regex expression;  // case-insensitive
    std::string replacement;
};

// What the human-readable text of one element is built from.
struct element_texts {
    std::string_view ai;
    std::string_view typed;       // the data as typed, separator markers removed
    std::string_view normalised;  // the normalised data
};

// Human-readable text of one element in `style` (not yet cut to the record's field).
std::string humanReadableText(const element_texts& texts, int style, std::span<const custom_hr_rule> rules);

// Fills `out` for the element "(" ai ")" typedData and returns its status bits; `out.text`
// stays empty unless `withText`.
int classifyElement(std::string_view ai, std::string_view typedData, int style,
                    std::span<const custom_hr_rule> rules, ean128_element& out, bool withText = true);

}  // namespace Kelbrin::Tallowlib::detail
