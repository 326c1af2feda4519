// SPDX-License-Identifier: Apache-2.0
// Parser and validator of GS1 element strings, "(" AI ")" data, one after another, blanks
// allowed before the first. Every element is checked against the AI dictionary (see
// element_check.hpp); a faulty element gives one status bit and a diagnostic, which
// raiseFormatError turns into invalid_ean128_format_error.
#pragma once

#include "gs1/ean128_element.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// Status bits of an element and results of ean128_parser::nextElement.
enum ean128_status : int {
    ai_not_numeric = 1,      // the AI is not 2 to 4 digits
    data_not_printable = 2,  // the data holds a character outside GS1's set
    bad_structure = 4,       // no "(" or ")", text before the first "(", a wrong check digit
                             // or an impossible date
    data_not_numeric = 8,    // a numeric field holds a character other than a decimal digit
    bad_length = 16,         // no data, or a length the dictionary row does not allow
    end_of_input = 32,       // no element left
};

// Parser options (a bit set).
enum ean128_option : int {
    skip_text = 4,  // leave every record's text empty (for callers that discard it)
};

// Human-readable styles.
enum ean128_hr_style : int {
    hr_grouped = 0,        // "(" AI ")" + data grouped by the formatting table
    hr_normalised = 1,     // "(" AI ")" + normalised data
    hr_as_typed = 2,       // "(" AI ")" + data as typed, corrected for the check digit
    hr_without_parens = 3, // AI + normalised data
    hr_custom_rules = 4,   // the parser's own rules (addRule), else as hr_grouped
};

namespace detail {
struct custom_hr_rule;
}

class ean128_parser {
public:
    // `input` is zero-terminated and must outlive the parser; a null input has no elements.
    ean128_parser(const char* input, int options, int style);
    ~ean128_parser();
    ean128_parser(ean128_parser&&) noexcept;
    ean128_parser& operator=(ean128_parser&&) noexcept;
    ean128_parser(const ean128_parser&) = delete;
    ean128_parser& operator=(const ean128_parser&) = delete;

    // Parses the next element into `out` and returns 0 when it is valid, end_of_input, or the
    // status bit of its fault, with diagnostic() saying what it is. `out` is left alone, and
    // the cursor where it was, for end_of_input and for an element without its "(" or ")",
    // with text before it, or with an AI that is not 2 to 4 digits; a faulty element is
    // filled in as far as its fields hold it. The cursor never moves past a fault.
    int nextElement(ean128_element& out);

    // What is wrong with the element of the last fault; empty until one was met.
    const std::string& diagnostic() const noexcept { return diagnostic_; }

    // Appends a formatting rule for style 4 (same shape as ai_hr_rule; the expression is
    // matched case-insensitively, in ECMAScript syntax). Throws std::regex_error for an invalid
    // expression.
    void addRule(std::string_view aiPattern, std::string_view expression, std::string_view replacement);
    std::size_t ruleCount() const noexcept;

    int options() const noexcept { return options_; }
    int style() const noexcept { return style_; }
    const char* cursor() const noexcept { return cursor_; }

private:
    // Finds the next element's AI and typed data and moves the cursor past them; returns 0,
    // or the status of a faulty or missing element (the cursor then stays).
    int scanElement(std::string_view& ai, std::string_view& typed);

    int options_;
    int style_;
    const char* cursor_;
    std::vector<detail::custom_hr_rule> rules_;
    std::string diagnostic_;
};

// Reads every element of `parser` and hands `take` its part: the AI and data, with
// `separator` in front when the element before it owes one. With `humanReadable`, the
// elements' texts are appended to it (the parser builds them unless it has skip_text).
// Returns the parser's last status (end_of_input when every element was valid).
template <typename Take>
int forEachElementPart(ean128_parser& parser, std::string_view separator, std::string* humanReadable, Take take)
{
    ean128_element element;
    bool separatorOwed = false;
    int status;
    while ((status = parser.nextElement(element)) == 0) {
        take(joinElement(element, separatorOwed ? separator : std::string_view()));
        separatorOwed = element.no_separator == 0;
        if (humanReadable != nullptr)
            humanReadable->append(fieldText(element.text));
    }
    return status;
}

// Throws invalid_ean128_format_error (codes 10 to 14) with the diagnostic for the lowest of
// the status bits 1, 2, 4, 8, 16 that is set; returns when none is (in particular for
// end_of_input).
void raiseFormatError(int status, const std::string& diagnostic = {});

// Parses the whole input: appends one record per valid element to `elements` until the
// first non-zero result, which it returns (end_of_input when every element was valid);
// the fault's diagnostic goes to `diagnostic` when it is not null.
int parseElementStrings(const char* input, int options, int style, std::vector<ean128_element>& elements,
                        std::string* diagnostic = nullptr);

// The element-string check: parses with style 2 and throws like raiseFormatError for the
// first faulty element.
void checkElementStrings(const char* input);

}  // namespace Kelbrin::Tallowlib
