// SPDX-License-Identifier: Apache-2.0
#include "gs1/ean128_parser.hpp"

#include "gs1/ean128_classify.hpp"
#include "gs1/element_check.hpp"
#include "tallowlib/errors.hpp"

#include <cstring>
#include <string>

namespace Kelbrin::Tallowlib {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr std::size_t shortestAi = 2;
constexpr std::size_t longestAi = 4;

// Whether the text holds blanks only.
bool blank(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// An AI as a diagnostic shows it: at most 12 characters and "..." after.
std::string shownAi(std::string_view written)
{
    return written.size() > 12 ? std::string(written.substr(0, 12)) + "..." : std::string(written);
}

// The faults scanElement finds, and what each one's diagnostic shows.
enum class scan_fault { no_open, text_before, no_close, ai_not_digits, ai_length };

// The diagnostic of a scan fault, built out of the way of valid input.
[[gnu::cold, gnu::noinline]] std::string scanDiagnostic(scan_fault fault, std::string_view text)
{
    switch (fault) {
    case scan_fault::no_open:
        return "no \"(\" found: element strings are written \"(\" AI \")\" data";
    case scan_fault::text_before:
        return "text before the first \"(\": " + detail::quoted(text);
    case scan_fault::no_close:
        return "no \")\" after " + detail::quoted(text);
    case scan_fault::ai_not_digits:
        return detail::aiDiagnostic(shownAi(text), "an AI has digits only");
    case scan_fault::ai_length:
        break;
    }
    return detail::aiDiagnostic(shownAi(text), "an AI has 2 to 4 digits");
}

}  // namespace

ean128_parser::ean128_parser(const char* input, int options, int style)
    : options_(options), style_(style), cursor_(input)
{
}

ean128_parser::~ean128_parser() = default;
ean128_parser::ean128_parser(ean128_parser&&) noexcept = default;
ean128_parser& ean128_parser::operator=(ean128_parser&&) noexcept = default;

int ean128_parser::scanElement(std::string_view& ai, std::string_view& typed)
{
    if (cursor_ == nullptr || *cursor_ == '\0')
        return end_of_input;
    // The cursor stands on the "(" of the next element but before the first one, where
    // blanks may come first.
    const char* open = *cursor_ == '(' ? cursor_ : std::strchr(cursor_, '(');
    if (open == nullptr) {
        diagnostic_ = scanDiagnostic(scan_fault::no_open, {});
        return bad_structure;
    }
    if (const std::string_view before(cursor_, static_cast<std::size_t>(open - cursor_)); !blank(before)) {
        diagnostic_ = scanDiagnostic(scan_fault::text_before, before);
        return bad_structure;
    }
    // The AI runs to the first ")"; it must be 2 to 4 digits. Digits are read up to what ends
    // them, and only a run that ends elsewhere than at ")" needs the search for one.
    const char* close = open + 1;
    while (isDigit(*close))
        ++close;
    const std::string_view written(open + 1, static_cast<std::size_t>(close - open - 1));
    if (*close != ')') {
        if (std::strchr(close, ')') == nullptr) {
            diagnostic_ = scanDiagnostic(scan_fault::no_close, open);
            return bad_structure;
        }
        const char* end = std::strchr(close, ')');
        diagnostic_ = scanDiagnostic(scan_fault::ai_not_digits, {open + 1, static_cast<std::size_t>(end - open - 1)});
        return ai_not_numeric;
    }
    if (written.size() < shortestAi || written.size() > longestAi) {
        diagnostic_ = scanDiagnostic(scan_fault::ai_length, written);
        return ai_not_numeric;
    }
    ai = written;

    const char* dataBegin = close + 1;
    const char* next = std::strchr(dataBegin, '(');
    typed = {dataBegin, next != nullptr ? static_cast<std::size_t>(next - dataBegin) : std::strlen(dataBegin)};
    cursor_ = next;
    return 0;
}

int ean128_parser::nextElement(ean128_element& out)
{
    const char* start = cursor_;
    std::string_view ai, typed;
    if (const int fault = scanElement(ai, typed); fault != 0)
        return fault;
    const int status = detail::classifyElement(ai, typed, style_, rules_, out, (options_ & skip_text) == 0, diagnostic_);
    if (status != 0)
        cursor_ = start;
    return status;
}

void ean128_parser::addRule(std::string_view aiPattern, std::string_view expression, std::string_view replacement)
{
    rules_.push_back({std::regex(aiPattern.begin(), aiPattern.end()),
                      std::regex(expression.begin(), expression.end(), std::regex::ECMAScript | std::regex::icase),
                      std::string(replacement)});
}

std::size_t ean128_parser::ruleCount() const noexcept
{
    return rules_.size();
}

void raiseFormatError(int status, const std::string& diagnostic)
{
    struct entry {
        int bit;
        int code;
        const char* message;
    };
    static constexpr entry errors[] = {
        {ai_not_numeric, 10, error_text::aiNotNumeric},     {data_not_printable, 11, error_text::dataNotAlphanumeric},
        {bad_structure, 12, error_text::badStructure},      {data_not_numeric, 13, error_text::dataNotNumeric},
        {bad_length, 14, error_text::badDataLength},
    };
    for (const entry& e : errors)
        if (status & e.bit)
            throw invalid_ean128_format_error(e.message, e.code, diagnostic);
}

int parseElementStrings(const char* input, int options, int style, std::vector<ean128_element>& elements,
                        std::string* diagnostic)
{
    ean128_parser parser(input, options, style);
    ean128_element element;
    int status;
    while ((status = parser.nextElement(element)) == 0)
        elements.push_back(element);
    if (diagnostic != nullptr)
        *diagnostic = status != end_of_input ? parser.diagnostic() : std::string();
    return status;
}

void checkElementStrings(const char* input)
{
    ean128_parser parser(input, 0, hr_as_typed);
    ean128_element element;
    int status;
    while ((status = parser.nextElement(element)) == 0) {
    }
    raiseFormatError(status, parser.diagnostic());
}

}  // namespace Kelbrin::Tallowlib
