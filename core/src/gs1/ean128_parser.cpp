#include "gs1/ean128_parser.hpp"

#include "gs1/ean128_classify.hpp"
#include "tallowlib/errors.hpp"

#include <cstring>
#include <string>

namespace Kelbrin::Tallowlib {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int applyOptions(int status, int options)
{
    if (options & skip_length_check)
        status &= ~bad_length;
    if (options & skip_charset_check)
        status &= ~(data_not_printable | data_not_numeric);
    return status;
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
    // The cursor stands on the "(" of the next element unless the input is faulty.
    const char* open = *cursor_ == '(' ? cursor_ : std::strchr(cursor_, '(');
    if (open == nullptr)
        return bad_structure;
    // The AI runs to the first ")"; it must be digits only. Digits are read up to what ends
    // them, and only a run that ends elsewhere than at ")" needs the search for one.
    const char* close = open + 1;
    while (isDigit(*close))
        ++close;
    if (*close != ')') {
        if (std::strchr(close, ')') == nullptr)
            return bad_structure;
        return ai_not_numeric;
    }
    if (close == open + 1)
        return ai_not_numeric;
    ai = {open + 1, static_cast<std::size_t>(close - open - 1)};

    const char* dataBegin = close + 1;
    const char* next = std::strchr(dataBegin, '(');
    typed = {dataBegin, next != nullptr ? static_cast<std::size_t>(next - dataBegin) : std::strlen(dataBegin)};
    cursor_ = next;
    return 0;
}

int ean128_parser::nextElement(ean128_element& out)
{
    std::string_view ai, typed;
    if (const int fault = scanElement(ai, typed); fault != 0)
        return fault;
    const int status = detail::classifyElement(ai, typed, style_, rules_, out, (options_ & skip_text) == 0);
    return applyOptions(status, options_);
}

void ean128_parser::addRule(std::string_view aiPattern, std::string_view expression, std::string_view replacement)
{
    rules_.push_back({boost::regex(aiPattern.begin(), aiPattern.end()),
                      boost::regex(expression.begin(), expression.end(), boost::regex::perl | boost::regex::icase),
                      std::string(replacement)});
}

std::size_t ean128_parser::ruleCount() const noexcept
{
    return rules_.size();
}

void raiseFormatError(int status)
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
            throw invalid_ean128_format_error(e.message, e.code);
}

int parseElementStrings(const char* input, int options, int style, std::vector<ean128_element>& elements)
{
    ean128_parser parser(input, options, style);
    ean128_element element;
    int status;
    while ((status = parser.nextElement(element)) == 0)
        elements.push_back(element);
    return status;
}

void checkElementStrings(const char* input)
{
    ean128_parser parser(input, 0, hr_as_typed);
    ean128_element element;
    int status;
    while ((status = parser.nextElement(element)) == 0) {
    }
    raiseFormatError(status);
}

}  // namespace Kelbrin::Tallowlib
