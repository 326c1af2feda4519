// Classification of one element: separator marker, dictionary row, normalised data.
#include "ean128_classify.hpp"

#include "tallowlib/ai_dictionary.hpp"
#include "tallowlib/ean128_parser.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <algorithm>
#include <cstddef>

namespace Kelbrin::Tallowlib::detail {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isPrintable(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 126;
}

// The text without any of `removed`.
std::string withoutCharacters(std::string_view text, std::string_view removed)
{
    const auto isRemoved = [removed](char c) {
        return std::any_of(removed.begin(), removed.end(), [c](char r) { return r == c; });
    };
    if (std::none_of(text.begin(), text.end(), isRemoved))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!isRemoved(c))
            out.push_back(c);
    return out;
}

// Leading "0"s when shorter, the first `length` characters kept when longer.
void fitToLength(std::string& text, std::size_t length)
{
    if (text.size() < length)
        text.insert(0, length - text.size(), '0');
    else
        text.resize(length);
}

// Keeps the characters the row's character set allows; returns the status bits for the rest.
int keepAllowedCharacters(const ai_definition& row, std::string_view data, std::string& out)
{
    const bool numeric = row.charset == ai_numeric;
    const auto allowed = [numeric](char c) { return numeric ? isDigit(c) : isPrintable(c); };
    if (std::all_of(data.begin(), data.end(), allowed)) {
        out.append(data);
        return 0;
    }
    int status = 0;
    for (char c : data) {
        if (numeric ? isDigit(c) : isPrintable(c))
            out.push_back(c);
        else
            status |= numeric ? data_not_numeric : data_not_printable;
    }
    return status;
}

// Brings the data to the row's length rules; returns the status bits found.
int normalise(const ai_definition& row, std::string_view data, std::string& out)
{
    out.clear();
    out.reserve(data.size() + 1);
    int status = keepAllowedCharacters(row, data, out);
    const std::size_t n = out.size();
    const auto length = static_cast<std::size_t>(row.length > 0 ? row.length : 0);
    if (row.fixedLength()) {
        if (row.check_digit == 1 && length > 0) {
            if (n != length && n != length - 1)
                status |= bad_length;
            fitToLength(out, length - 1);
            out.push_back(gs1CheckDigit(out));
        } else if (n != length) {
            status |= bad_length;
            fitToLength(out, length);
        }
        return status;
    }
    const auto maxLength = static_cast<std::size_t>(row.max_length > 0 ? row.max_length : 0);
    if (n < length) {
        status |= bad_length;
        fitToLength(out, length);
    } else if (n > maxLength) {
        status |= bad_length;
        out.resize(maxLength);
    }
    return status;
}

// Whether an element needs no FNC1 after it. Only AIs of predefined length may go without
// one: for any other AI a reader could not tell where the data ends.
std::uint8_t noSeparator(const ai_definition* row, std::string_view ai, char marker)
{
    if (marker == '~')
        return 1;
    if (marker == '!' || row == nullptr)
        return 0;
    return row->fixedLength() && aiHasPredefinedLength(ai) ? 1 : 0;
}

}  // namespace

int classifyElement(std::string_view ai, std::string_view typedData, int style,
                    std::span<const custom_hr_rule> rules, ean128_element& out, bool withText)
{
    out = ean128_element{};
    std::string data = withoutCharacters(typedData, " ");
    char marker = '\0';
    if (!data.empty() && (data.back() == '~' || data.back() == '!')) {
        marker = data.back();
        data.pop_back();
    }
    copyToField(out.ai, ai);

    const ai_definition* row = findAiDefinition(ai);
    int status = 0;
    std::string normalised;
    if (row != nullptr) {
        status = normalise(*row, data, normalised);
        out.known = 1;
    } else {
        normalised = std::move(data);
    }
    // The record holds at most 9 AI and 39 data characters. An element that does not fit would
    // be encoded cut short while the caller took it as whole: it is refused instead.
    if (ai.size() >= sizeof out.ai || normalised.size() >= sizeof out.data)
        status |= bad_structure;
    out.no_separator = noSeparator(row, ai, marker);
    out.status = status;
    copyToField(out.data, normalised);
    if (withText) {
        // The typed data loses its markers only when it ends in one.
        const std::string typed = marker != '\0' ? withoutCharacters(typedData, "~!") : std::string(typedData);
        copyToField(out.text, humanReadableText({ai, typed, normalised}, style, rules));
    }
    return status;
}

}  // namespace Kelbrin::Tallowlib::detail
