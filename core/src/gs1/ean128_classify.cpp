// Classification of one element: separator marker, dictionary row, normalised data and,
// when wanted, its human-readable text.
#include "gs1/ean128_classify.hpp"

#include "gs1/ai_dictionary.hpp"
#include "gs1/ean128_parser.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace Kelbrin::Tallowlib::detail {

namespace {

// The characters each set allows, blanks excepted (blanks are dropped from every element's
// data), each as one comparison.
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

// The text without any of `removed`.
std::string withoutCharacters(std::string_view text, std::string_view removed)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (removed.find(c) == std::string_view::npos)
            out.push_back(c);
    return out;
}

// The typed data up to its separator marker, the last character that is not a blank when
// it is "~" or "!" (only blanks follow it); without a marker, up to the trailing blanks.
struct marked_data {
    std::string_view data;
    char marker = '\0';
};

marked_data splitMarker(std::string_view typed)
{
    std::size_t end = typed.size();
    while (end > 0 && typed[end - 1] == ' ')
        --end;
    if (end > 0 && (typed[end - 1] == '~' || typed[end - 1] == '!'))
        return {typed.substr(0, end - 1), typed[end - 1]};
    return {typed.substr(0, end), '\0'};
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

// The length rule: the length data of `n` allowed characters is brought to (the row's fixed
// length, or `n` held between its minimum and maximum; `n` itself without a row), with
// bad_length added to `status` when `n` breaks the row's rule. A check digit may be left out.
std::size_t fitLength(const ai_definition* row, std::size_t n, int& status)
{
    if (row == nullptr)
        return n;
    const auto length = static_cast<std::size_t>(row->length > 0 ? row->length : 0);
    if (row->fixedLength()) {
        const bool checkDigit = row->check_digit == 1 && length > 0;
        if (checkDigit ? n != length && n != length - 1 : n != length)
            status |= bad_length;
        return length;
    }
    const auto maxLength = static_cast<std::size_t>(row->max_length > 0 ? row->max_length : 0);
    if (n < length || n > maxLength)
        status |= bad_length;
    return n < length ? length : n > maxLength ? maxLength : n;
}

// The data characters of an element, in one pass over the typed characters and without
// building strings: blanks are skipped, characters the row does not allow are dropped, and
// only the first `kept` characters are held while all are counted.
class data_collector {
public:
    static constexpr std::size_t kept = sizeof(ean128_element{}.data);

    data_collector() = default;
    data_collector(const data_collector&) = delete;  // it may point into its own buffer
    data_collector& operator=(const data_collector&) = delete;

    // Collects the characters of `typed` (which must outlive the collector) that `allowed`
    // accepts; returns `refused` when it met another that is not a blank.
    template <bool (*allowed)(char)>
    int collect(std::string_view typed, int refused)
    {
        // Most data has neither blanks nor refused characters: it is taken whole.
        if (std::all_of(typed.begin(), typed.end(), allowed)) {
            chars_ = typed.data();
            count_ = typed.size();
            return 0;
        }
        bool clean = true;
        for (char c : typed) {
            if (c == ' ')
                continue;
            if (!allowed(c)) {
                clean = false;
                continue;
            }
            if (count_ < kept)
                buffer_[count_] = c;
            ++count_;
        }
        return clean ? 0 : refused;
    }
    std::size_t count() const { return count_; }

    // Writes the data brought to `length` (leading "0"s, or cut) into the record's field,
    // at most all but its last character, and zero-fills the rest.
    void writeFitted(char (&field)[kept], std::size_t length) const
    {
        const std::size_t n = length < kept ? length : kept - 1;
        const std::size_t pad = count_ < n ? n - count_ : 0;
        std::memset(field, 0, kept);  // whole: a few stores of known size
        if (pad > 0)
            std::memset(field, '0', pad);
        if (n > pad)
            std::memcpy(field + pad, chars_, n - pad);
    }

private:
    char buffer_[kept];
    const char* chars_ = buffer_;  // the data: the buffer, or the typed text taken whole
    std::size_t count_ = 0;
};

// Lengths of the dictionary rows are below the record's field, so fitting never cuts the
// data of a known AI short.
static_assert(data_collector::kept > 30);

// Writes the data of the element into `field` and returns its length after the length rule
// (the field holds at most 39 characters of it); adds the status bits found.
std::size_t collectData(const ai_definition* row, std::string_view data, char (&field)[data_collector::kept],
                        int& status)
{
    data_collector collector;
    if (row == nullptr)
        collector.collect<isNotBlank>(data, 0);
    else if (row->charset == ai_numeric)
        status |= collector.collect<isDigitNotBlank>(data, data_not_numeric);
    else
        status |= collector.collect<isPrintableNotBlank>(data, data_not_printable);
    const std::size_t length = fitLength(row, collector.count(), status);
    const bool checkDigit = row != nullptr && row->fixedLength() && row->check_digit == 1 && length > 0;
    collector.writeFitted(field, checkDigit ? length - 1 : length);
    if (checkDigit)
        field[length - 1] = gs1CheckDigit({field, length - 1});
    return length;
}

}  // namespace

int classifyElement(std::string_view ai, std::string_view typedData, int style,
                    std::span<const custom_hr_rule> rules, ean128_element& out, bool withText)
{
    const marked_data typed = splitMarker(typedData);
    const ai_definition* row = findAiDefinition(ai);
    int status = 0;
    const std::size_t length = collectData(row, typed.data, out.data, status);
    copyToField(out.ai, ai);
    // The record holds at most 9 AI and 39 data characters. An element that does not fit would
    // be encoded cut short while the caller took it as whole: it is refused instead.
    if (ai.size() >= sizeof out.ai || length >= sizeof out.data)
        status |= bad_structure;
    out.known = row != nullptr ? 1 : 0;
    out.no_separator = noSeparator(row, ai, typed.marker);
    out.status = status;
    if (!withText) {
        copyToField(out.text, {});
        return status;
    }
    // Only data of an unknown AI can outgrow the field; its text shows all of it.
    const std::string normalised =
        length < sizeof out.data ? std::string(fieldText(out.data)) : withoutCharacters(typed.data, " ");
    // The typed data loses its markers only when it ends in one.
    const std::string shown = typed.marker != '\0' ? withoutCharacters(typedData, "~!") : std::string(typedData);
    copyToField(out.text, humanReadableText({ai, shown, normalised}, style, rules));
    return status;
}

}  // namespace Kelbrin::Tallowlib::detail
