// Classification of one element: separator marker, dictionary row, normalised data.
#include "gs1/ean128_classify.hpp"

#include "gs1/ai_dictionary.hpp"
#include "gs1/ean128_parser.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>

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

// The length the row brings data of `n` allowed characters to, with bad_length added to
// `status` when `n` breaks the row's length rules.
std::size_t fitLength(const ai_definition& row, std::size_t n, int& status)
{
    const auto length = static_cast<std::size_t>(row.length > 0 ? row.length : 0);
    if (row.fixedLength()) {
        const bool checkDigit = row.check_digit == 1 && length > 0;
        if (checkDigit ? n != length && n != length - 1 : n != length)
            status |= bad_length;
        return length;
    }
    const auto maxLength = static_cast<std::size_t>(row.max_length > 0 ? row.max_length : 0);
    if (n < length || n > maxLength)
        status |= bad_length;
    return n < length ? length : n > maxLength ? maxLength : n;
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

// The data of an element that carries no text, in one pass over the typed characters and
// without building strings: blanks and the final marker are skipped, characters the row does
// not allow are dropped, and only the first `kept` characters are held while all are counted.
class data_collector {
public:
    static constexpr std::size_t kept = sizeof(ean128_element{}.data);

    data_collector() = default;
    data_collector(const data_collector&) = delete;  // it may point into its own buffer
    data_collector& operator=(const data_collector&) = delete;

    void push(char c)
    {
        if (count_ < kept)
            buffer_[count_] = c;
        ++count_;
    }
    // Takes the whole text at once, without copying it: the text must outlive the collector.
    void assign(std::string_view text)
    {
        chars_ = text.data();
        count_ = text.size();
    }
    std::size_t count() const { return count_; }

    // Writes the data brought to `length` (leading "0"s or cut) into the record's field.
    void writeFitted(char (&field)[kept], std::size_t length) const
    {
        const std::size_t n = length < kept ? length : kept;
        const std::size_t pad = count_ < n ? n - count_ : 0;
        std::memset(field, '0', pad);
        if (n > pad)
            std::memcpy(field + pad, chars_, n - pad);
    }
    // Writes as much of the data as the field holds, leaving room for a terminator, and
    // returns the characters written.
    std::size_t writeAll(char (&field)[kept]) const
    {
        const std::size_t n = count_ < kept ? count_ : kept - 1;
        if (n > 0)
            std::memcpy(field, chars_, n);
        return n;
    }

private:
    char buffer_[kept];
    const char* chars_ = buffer_;  // the data: the buffer, or the text taken whole
    std::size_t count_ = 0;
};

// Lengths of the dictionary rows are below the record's field, so fitting never cuts
// the field short.
static_assert(data_collector::kept > 30);

bool anyCharacter(char)
{
    return true;
}

// The characters each set allows, blanks excepted, each as one comparison.
bool isDigitNotBlank(char c)
{
    return static_cast<unsigned char>(c - '0') <= 9;
}

bool isPrintableNotBlank(char c)
{
    return static_cast<unsigned char>(c - '!') <= '~' - '!';
}

bool isNotBlank(char c)
{
    return c != ' ';
}

// Whether every character of the text passes `plainCharacter`.
template <bool (*plainCharacter)(char)>
bool isPlain(std::string_view text)
{
    for (char c : text)
        if (!plainCharacter(c))
            return false;
    return true;
}

// Pushes the characters of `typed` but blanks that `allowed` accepts; returns `refused` when
// it met another. `plainCharacter` is `allowed` without the blank.
template <bool (*allowed)(char), bool (*plainCharacter)(char)>
int collectAllowed(std::string_view typed, int refused, data_collector& data)
{
    // Most data has neither blanks nor refused characters: it is taken whole.
    if (isPlain<plainCharacter>(typed)) {
        data.assign(typed);
        return 0;
    }
    bool clean = true;
    for (char c : typed) {
        if (c == ' ')
            continue;
        const bool ok = allowed(c);
        clean &= ok;
        if (ok)
            data.push(c);
    }
    return clean ? 0 : refused;
}

int classifyWithoutText(std::string_view ai, std::string_view typed, ean128_element& out)
{
    ean128_element_data element;
    const int status = classifyElementData(ai, typed, element);
    std::memset(&out, 0, sizeof out);
    // The record is zeroed: the fields need no terminator written.
    ai.copy(out.ai, sizeof out.ai - 1);
    std::memcpy(out.data, element.data, element.dataLength < sizeof out.data ? element.dataLength : sizeof out.data - 1);
    out.known = element.known;
    out.no_separator = element.no_separator;
    out.status = status;
    return status;
}

}  // namespace

int classifyElementData(std::string_view ai, std::string_view typed, ean128_element_data& out)
{
    out.ai = ai;
    out.known = 0;
    // The marker is the last character that is not a blank, when it is "~" or "!".
    std::size_t end = typed.size();
    while (end > 0 && typed[end - 1] == ' ')
        --end;
    char marker = '\0';
    std::size_t markerAt = typed.size();
    if (end > 0 && (typed[end - 1] == '~' || typed[end - 1] == '!')) {
        marker = typed[end - 1];
        markerAt = end - 1;
    }

    const ai_definition* row = findAiDefinition(ai);
    data_collector data;
    int status = 0;
    std::size_t length = 0;
    // Only blanks follow the marker, so the data ends where the marker (or the last
    // character that is not a blank) is.
    const std::string_view kept = typed.substr(0, marker != '\0' ? markerAt : end);
    if (row == nullptr) {
        collectAllowed<anyCharacter, isNotBlank>(kept, 0, data);
        length = data.count();
        out.dataLength = data.writeAll(out.data);
    } else {
        out.known = 1;
        status = row->charset == ai_numeric ? collectAllowed<isDigit, isDigitNotBlank>(kept, data_not_numeric, data)
                                            : collectAllowed<isPrintable, isPrintableNotBlank>(kept, data_not_printable, data);
        length = fitLength(*row, data.count(), status);
        const bool checkDigit = row->fixedLength() && row->check_digit == 1 && row->length > 0;
        data.writeFitted(out.data, checkDigit ? length - 1 : length);
        if (checkDigit)
            out.data[length - 1] = gs1CheckDigit({out.data, length - 1});
        out.dataLength = length;
    }
    if (ai.size() >= sizeof(ean128_element::ai) || length >= sizeof out.data)
        status |= bad_structure;
    out.no_separator = noSeparator(row, ai, marker);
    out.status = status;
    return status;
}

int classifyElement(std::string_view ai, std::string_view typedData, int style,
                    std::span<const custom_hr_rule> rules, ean128_element& out, bool withText)
{
    if (!withText)
        return classifyWithoutText(ai, typedData, out);
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
