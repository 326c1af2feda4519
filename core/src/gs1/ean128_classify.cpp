// SPDX-License-Identifier: Apache-2.0
// Classification of one element: separator marker, dictionary row, the checked data and,
// when wanted, its human-readable text.
#include "gs1/ean128_classify.hpp"

#include "gs1/ai_dictionary.hpp"
#include "gs1/ean128_parser.hpp"
#include "gs1/element_check.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Kelbrin::Tallowlib::detail {

namespace {

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

// The data characters of an element, in one pass over the typed characters and without
// building strings: blanks are skipped, and only the first `kept` characters are held while
// all are counted. Nothing is changed, cut or padded.
class data_collector {
public:
    static constexpr std::size_t kept = sizeof(ean128_element{}.data);
    static constexpr std::size_t none = std::string_view::npos;

    data_collector() = default;
    data_collector(const data_collector&) = delete;  // it may point into its own buffer
    data_collector& operator=(const data_collector&) = delete;

    // Collects the characters of `typed` (which must outlive the collector) up to the first
    // that is neither a blank nor of class `required`; returns that one's index, or none.
    std::size_t collect(std::string_view typed, std::uint8_t required)
    {
        // Most data has neither blanks nor refused characters: it is taken whole.
        std::size_t i = 0;
        while (i < typed.size() && (elementCharacterClass(typed[i]) & required) != 0)
            ++i;
        if (i == typed.size()) {
            chars_ = typed.data();
            count_ = typed.size();
            return none;
        }
        for (i = 0; i < typed.size(); ++i) {
            const char c = typed[i];
            if (c == ' ')
                continue;
            if ((elementCharacterClass(c) & required) == 0)
                return i;
            if (count_ < kept)
                buffer_[count_] = c;
            ++count_;
        }
        return none;
    }
    std::size_t count() const { return count_; }

    // Writes the data, which the field holds, and the computed check digit when one is
    // wanted, into the record's field; zero-fills the rest.
    void write(char (&field)[kept], bool addCheckDigit) const
    {
        std::memset(field, 0, kept);  // whole: a few stores of known size
        const std::size_t n = count_ < kept - 1 ? count_ : kept - 1;
        if (n > 0)
            std::memcpy(field, chars_, n);
        if (addCheckDigit && n < kept - 1)
            field[n] = gs1CheckDigit({field, n});
    }

private:
    char buffer_[kept];
    const char* chars_ = buffer_;  // the data: the buffer, or the typed text taken whole
    std::size_t count_ = 0;
};

// The longest data the record's field holds.
constexpr std::size_t recordLimit = data_collector::kept - 1;

// Lengths of the dictionary rows are below the record's field, so a checked field of a known
// AI always fits it.
static_assert(recordLimit >= 30);

// Checks the data of the element and writes it into `field`; returns 0 or the status of the
// first fault, with its diagnostic.
int collectData(std::string_view ai, const ai_definition* row, std::string_view data,
                char (&field)[data_collector::kept], std::string& diagnostic)
{
    data_collector collector;
    const std::size_t refused = collector.collect(data, requiredClass(row));
    if (refused != data_collector::none) {
        collector.write(field, false);
        return characterFault(ai, row, refused + 1, data[refused], diagnostic);
    }
    const std::size_t n = collector.count();
    if (n == 0 || !lengthAllowed(row, n, recordLimit)) {
        collector.write(field, false);
        return lengthFault(ai, row, n, recordLimit, diagnostic);
    }
    const bool addCheckDigit = checkDigitLeftOut(row, n);
    collector.write(field, addCheckDigit);
    if (!hasValueRules(ai, row))
        return 0;
    return valueFault(ai, row, {field, n + (addCheckDigit ? 1 : 0)}, diagnostic);
}

}  // namespace

int classifyElement(std::string_view ai, std::string_view typedData, int style,
                    std::span<const custom_hr_rule> rules, ean128_element& out, bool withText,
                    std::string& diagnostic)
{
    const marked_data typed = splitMarker(typedData);
    const ai_definition* row = findAiDefinition(ai);
    const int status = collectData(ai, row, typed.data, out.data, diagnostic);
    copyToField(out.ai, ai);
    out.known = row != nullptr ? 1 : 0;
    out.no_separator = noSeparator(row, ai, typed.marker);
    out.status = status;
    if (!withText || status != 0) {
        copyToField(out.text, {});
        return status;
    }
    // The text shows the data as typed, blanks kept, without the separator marker.
    std::string shown(typedData);
    if (typed.marker != '\0')
        shown.erase(typed.data.size(), 1);
    copyToField(out.text, humanReadableText({ai, shown, fieldText(out.data)}, style, rules));
    return status;
}

}  // namespace Kelbrin::Tallowlib::detail
