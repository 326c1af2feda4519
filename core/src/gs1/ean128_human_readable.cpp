// Human-readable text of one element in the parser's five styles.
#include "gs1/ean128_classify.hpp"

#include "gs1/ai_dictionary.hpp"
#include "gs1/ean128_parser.hpp"

#include <algorithm>
#include <iterator>

namespace Kelbrin::Tallowlib::detail {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

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
        if (boost::regex_match(t.ai.begin(), t.ai.end(), rule.aiPattern)) {
            std::string out = prefix(t.ai);
            boost::regex_replace(std::back_inserter(out), t.normalised.begin(), t.normalised.end(), rule.expression,
                                 rule.replacement);
            return out;
        }
    }
    return grouped(t);
}

// The data as typed, with an added check digit appended or a replaced one corrected.
std::string asTyped(const element_texts& t)
{
    std::string out = prefix(t.ai);
    const std::string_view typed = t.typed;
    const auto blanks = static_cast<std::size_t>(std::count(typed.begin(), typed.end(), ' '));
    const std::size_t plainLength = typed.size() - blanks;  // the typed data without blanks
    const std::string_view n = t.normalised;
    if (n.size() == plainLength + 1) {
        out += typed;
        if (blanks > 0 && typed.back() != ' ')
            out += ' ';
        out += n.back();
        return out;
    }
    const auto lastTyped = std::find_if(typed.rbegin(), typed.rend(), [](char c) { return c != ' '; });
    const std::size_t prefixLength = out.size();
    out += typed;
    if (!n.empty() && n.size() == plainLength && *lastTyped != n.back()) {
        const auto digit = std::find_if(out.rbegin(), out.rend() - static_cast<std::ptrdiff_t>(prefixLength), isDigit);
        if (digit != out.rend() - static_cast<std::ptrdiff_t>(prefixLength))
            *digit = n.back();
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
