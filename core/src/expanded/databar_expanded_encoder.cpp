// The DataBar Expanded encoder: element strings -> data string -> element-width text.
#include "expanded/databar_expanded.hpp"
#include "gs1/ean128_parser.hpp"
#include "tallowlib/errors.hpp"

#include <array>
#include <mutex>

namespace Kelbrin::Tallowlib {

namespace {

// The library's process-wide lock, held around parsing, compaction and width building.
std::mutex& expandedEncodeLock()
{
    static std::mutex lock;
    return lock;
}

[[noreturn]] void fail() { throw invalid_ean128_format_error(error_text::aiNotNumeric, 10); }

// Element data the compaction cannot carry with a standard meaning: characters outside
// the ISO/IEC 646 set, "#" (it would become an FNC1 in the middle of the data) and "^".
constexpr auto encodableTable = [] {
    std::array<bool, 256> t{};
    for (std::size_t c = 1; c < t.size(); ++c)
        t[c] = (detail::characterClassTable[c] & detail::iso646_set) != 0 && c != '#' && c != '^';
    return t;
}();

bool encodableElementData(std::string_view data)
{
    bool encodable = true;
    for (char c : data)
        encodable &= encodableTable[static_cast<unsigned char>(c)];
    return encodable;
}

}  // namespace

void detail::buildExpandedDataString(const char* input, detail::expanded_data_string& dataString,
                                     std::string* humanReadable)
{
    dataString.length = 0;
    dataString.text[0] = '\0';
    ean128_parser parser(input, skip_length_check | skip_charset_check | (humanReadable != nullptr ? 0 : skip_text),
                         hr_as_typed);
    // The FNC1 an element owes is written once another element follows it.
    const int status = forEachElementPart(parser, "#", humanReadable, [&dataString](const element_part& part) {
        if (!encodableElementData(part.data()))
            fail();
        dataString.append(part.view());
    });
    if (status != end_of_input)
        fail();
}

int databar_expanded_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    return encode(input, 22, barcode, humanReadable);
}

int databar_expanded_encoder::encode(const char* input, int segmentsPerRow, std::string& barcode,
                                     std::string& humanReadable) const
{
    detail::expanded_widths widths;
    const int count = detail::expandedElementCount(detail::expandedSymbolWidths(input, segmentsPerRow, widths, &humanReadable));
    barcode.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        barcode[static_cast<std::size_t>(i)] = static_cast<char>('0' + widths[static_cast<std::size_t>(i)]);
    return 1;
}

namespace detail {

int expandedSymbolWidths(const char* input, int segmentsPerRow, expanded_widths& widths, std::string* humanReadable)
{
    const int s = normaliseSegmentsPerRow(segmentsPerRow);
    // Reused from call to call: the data string is the only sizeable thing a call needs.
    thread_local detail::expanded_data_string dataString;
    std::string text;
    int symbolCharacters = 0;
    {
        std::lock_guard guard(expandedEncodeLock());
        buildExpandedDataString(input, dataString, humanReadable != nullptr ? &text : nullptr);
        symbolCharacters = detail::RSS14Eenc(dataString.text, widths, 0, s);
        if (symbolCharacters <= 0)
            fail();
    }
    if (humanReadable != nullptr)
        *humanReadable = std::move(text);
    return symbolCharacters;
}

}  // namespace detail

}  // namespace Kelbrin::Tallowlib
