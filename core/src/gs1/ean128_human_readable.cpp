// SPDX-License-Identifier: Apache-2.0
// Human-readable text of one element in the parser's five styles.
#include "gs1/ean128_classify.hpp"

#include "gs1/ai_dictionary.hpp"
#include "gs1/ean128_parser.hpp"

#include <algorithm>
#include <iterator>

namespace Kelbrin::Tallowlib::detail {

namespace {

std::string prefix(std::string_view ai)
{
    std::string out;
    out.reserve(ai.size() + 2 + 40);
    out += '(';
    out += ai;
    out += ')';
    return out;
}

// "(" AI ")" and the data grouped by the first built-in rule for the AI; one blank between
// them when no rule applies.
std::string grouped(const element_texts& t)
{
    std::string out = prefix(t.ai);
    if (const ai_hr_rule* rule = findAiFormattingRule(t.ai))
        out += applyAiFormattingRule(*rule, t.normalised);
    else
        (out += ' ') += t.normalised;
    return out;
}

std::string customRules(const element_texts& t, std::span<const custom_hr_rule> rules)
{
    for (const custom_hr_rule& rule : rules) {
        if (std::regex_match(t.ai.begin(), t.ai.end(), rule.aiPattern)) {
            std::string out = prefix(t.ai);
            std::regex_replace(std::back_inserter(out), t.normalised.begin(), t.normalised.end(), rule.expression,
                                 rule.replacement);
            return out;
        }
    }
    return grouped(t);
}

// The data as typed, and the check digit appended when it was left out: the data is checked,
// so it differs from the typed characters only by blanks and that digit.
std::string asTyped(const element_texts& t)
{
    std::string out = prefix(t.ai);
    const std::string_view typed = t.typed;
    out += typed;
    const auto blanks = static_cast<std::size_t>(std::count(typed.begin(), typed.end(), ' '));
    if (t.normalised.size() == typed.size() - blanks + 1) {
        if (blanks > 0 && typed.back() != ' ')
            out += ' ';
        out += t.normalised.back();
    }
    return out;
}

}  // namespace

std::string humanReadableText(const element_texts& texts, int style, std::span<const custom_hr_rule> rules)
{
    switch (style) {
    case hr_grouped:
        return grouped(texts);
    case hr_normalised:
        return prefix(texts.ai) += texts.normalised;
    case hr_as_typed:
        return asTyped(texts);
    case hr_without_parens:
        return std::string(texts.ai) += texts.normalised;
    case hr_custom_rules:
        return customRules(texts, rules);
    default:
        return prefix(texts.ai);
    }
}

}  // namespace Kelbrin::Tallowlib::detail
