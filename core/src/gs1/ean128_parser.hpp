// Parser and validator of GS1 element strings, "(" AI ")" data, one after another.
// Errors are status bits; raiseFormatError turns them into invalid_ean128_format_error.
#pragma once

#include "gs1/ean128_element.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// Status bits of an element and results of ean128_parser::nextElement.
enum ean128_status : int {
    ai_not_numeric = 1,      // the AI is empty or holds a character other than "0"-"9"
    data_not_printable = 2,  // an alphanumeric field holds a character that is not printable
    bad_structure = 4,       // no "(" was found, or no ")" after it
    data_not_numeric = 8,    // a numeric field holds a character other than a decimal digit
    bad_length = 16,         // the data length does not fit the dictionary row
    end_of_input = 32,       // no element left
};

// Parser options (a bit set).
enum ean128_option : int {
    skip_length_check = 1,   // clear bad_length of every element
    skip_charset_check = 2,  // clear data_not_printable and data_not_numeric of every element
    skip_text = 4,           // leave every record's text empty (for callers that discard it)
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

    // Parses the next element into `out` and returns its status bits (0 when valid) after the
    // options are applied, or end_of_input. `out` is left alone, and the cursor where it was,
    // for end_of_input and for an element without its "(" or ")" or with an AI that is not all
    // digits (bad_structure, ai_not_numeric); an element too long for the record is filled in
    // as far as it fits and gives bad_structure.
    int nextElement(ean128_element& out);

    // Appends a formatting rule for style 4 (same shape as ai_hr_rule; the expression is
    // matched case-insensitively). Throws boost::regex_error for an invalid expression.
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

// Throws invalid_ean128_format_error (codes 10 to 14) for the lowest of the status bits
// 1, 2, 4, 8, 16 that is set; returns when none is (in particular for end_of_input).
void raiseFormatError(int status);

// Parses the whole input: appends one record per valid element to `elements` until the
// first non-zero result, which it returns (end_of_input when every element was valid).
int parseElementStrings(const char* input, int options, int style, std::vector<ean128_element>& elements);

// The element-string check: parses with options 0 and style 2 and throws like
// raiseFormatError for the first faulty element.
void checkElementStrings(const char* input);

}  // namespace Kelbrin::Tallowlib
