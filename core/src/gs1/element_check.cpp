// SPDX-License-Identifier: Apache-2.0
#include "gs1/element_check.hpp"

#include "gs1/ean128_parser.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <array>

namespace Kelbrin::Tallowlib::detail {

namespace {

static_assert([] {
    int n = 0;
    for (std::uint8_t c : elementCharacterClasses)
        n += (c & gs1_character) != 0 ? 1 : 0;
    return n;
}() == 82);

// The AIs whose data is, or begins with, a date YYMMDD.
struct date_field {
    std::string_view ai;
    bool wholeField;  // the data is the date and nothing else
    bool dayZero;     // day 00 stands for "no day"
};

constexpr std::array<date_field, 8> dateFields{{
    {"11", true, true},
    {"12", true, true},
    {"13", true, true},
    {"15", true, true},
    {"16", true, true},
    {"17", true, true},
    {"7003", false, false},  // YYMMDDHHMM
    {"8008", false, false},  // YYMMDDHH, then minutes and seconds
}};

// The last day of each month; 29 February is taken in every year.
constexpr std::array<int, 12> monthDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Whole-AI comparison without a call: AIs are at most 4 characters.
constexpr bool sameAi(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

const date_field* findDateField(std::string_view ai)
{
    if (!mayHoldDate(ai))
        return nullptr;
    for (const date_field& f : dateFields)
        if (sameAi(f.ai, ai))
            return &f;
    return nullptr;
}

bool allDigits(std::string_view text)
{
    for (char c : text)
        if ((elementCharacterClass(c) & digit_character) == 0)
            return false;
    return true;
}

std::string twoDigits(std::string_view text, std::size_t at)
{
    return std::string(text.substr(at, 2));
}

int dateFault(std::string_view ai, std::string_view data, std::string& diagnostic)
{
    const date_field* field = findDateField(ai);
    if (field == nullptr)
        return 0;
    if (data.size() < 6 || (field->wholeField && data.size() != 6) || !allDigits(data.substr(0, 6))) {
        diagnostic = aiDiagnostic(ai, quoted(data) + " is not a date YYMMDD");
        return bad_structure;
    }
    const int month = (data[2] - '0') * 10 + (data[3] - '0');
    const int day = (data[4] - '0') * 10 + (data[5] - '0');
    if (month < 1 || month > 12) {
        diagnostic = aiDiagnostic(ai, "month " + twoDigits(data, 2) + " is not a month");
        return bad_structure;
    }
    const int first = field->dayZero ? 0 : 1;
    const int last = monthDays[static_cast<std::size_t>(month - 1)];
    if (day < first || day > last) {
        diagnostic = aiDiagnostic(ai, "day " + twoDigits(data, 4) + " is not a day of month " + twoDigits(data, 2) +
                                          " (0" + std::to_string(first) + " to " + std::to_string(last) + ")");
        return bad_structure;
    }
    return 0;
}

std::string printed(std::size_t n)
{
    return std::to_string(n);
}

}  // namespace

std::string aiDiagnostic(std::string_view ai, std::string_view what)
{
    std::string out = "AI (";
    out += ai;
    out += "): ";
    out += what;
    return out;
}

std::string quoted(std::string_view text, std::size_t limit)
{
    std::string out = "\"";
    out += text.substr(0, limit);
    if (text.size() > limit)
        out += "...";
    out += '"';
    return out;
}

int characterFault(std::string_view ai, const ai_definition* row, std::size_t position, char c,
                   std::string& diagnostic)
{
    const bool numeric = requiredClass(row) == digit_character;
    diagnostic = aiDiagnostic(ai, "character " + printed(position) + " " + quoted({&c, 1}) +
                                      (numeric ? " is not a digit" : " is not in GS1's character set"));
    return numeric ? data_not_numeric : data_not_printable;
}

int lengthFault(std::string_view ai, const ai_definition* row, std::size_t n, std::size_t recordLimit,
                std::string& diagnostic)
{
    if (n > 0 && lengthAllowed(row, n, recordLimit))
        return 0;
    const std::size_t most = maxDataLength(row, recordLimit);
    const auto least = static_cast<std::size_t>(row != nullptr && row->length > 0 ? row->length : 1);
    const std::string count = printed(n) + (n == 1 ? " character, " : " characters, ");
    if (n == 0)
        diagnostic = aiDiagnostic(ai, "no data");
    else if (row != nullptr && row->fixedLength())
        diagnostic = aiDiagnostic(ai, count + "expected " + printed(most) +
                                          (row->check_digit == 1 ? ", or " + printed(most - 1) + " without the check digit"
                                                                 : std::string()));
    else
        diagnostic = aiDiagnostic(ai, count + (n > most ? "at most " + printed(most) : "at least " + printed(least)));
    return bad_length;
}

int valueFault(std::string_view ai, const ai_definition* row, std::string_view data, std::string& diagnostic)
{
    if (row != nullptr && row->fixedLength() && row->check_digit == 1 && !data.empty()) {
        const char expected = gs1CheckDigit(data.substr(0, data.size() - 1));
        if (data.back() != expected) {
            diagnostic = aiDiagnostic(ai, std::string("check digit ") + data.back() + ", expected " + expected);
            return bad_structure;
        }
    }
    return dateFault(ai, data, diagnostic);
}

}  // namespace Kelbrin::Tallowlib::detail
