// SPDX-License-Identifier: Apache-2.0
// The DataBar Expanded encoder: element strings -> data string -> element-width text.
#include "expanded/databar_expanded.hpp"
#include "gs1/ean128_parser.hpp"
#include "process_lock.hpp"
#include "tallowlib/errors.hpp"

#include <mutex>
#include <type_traits>
#include <string>
#include <utility>

namespace Kelbrin::Tallowlib {

namespace {

// The library's process-wide lock, held around parsing, compaction and width building.
detail::process_lock& expandedEncodeLock()
{
    static detail::process_lock lock;
    return lock;
}

// Every failure is code 10, its diagnostic saying what is wrong.
[[noreturn]] void fail(std::string diagnostic)
{
    throw invalid_ean128_format_error(error_text::aiNotNumeric, 10, std::move(diagnostic));
}

}  // namespace

void detail::buildExpandedDataString(const char* input, detail::expanded_data_string& dataString,
                                     std::string* humanReadable)
{
    dataString.length = 0;
    dataString.text[0] = '\0';
    // The checks of GS1-128 hold: checked element data is all of GS1's set, which the
    // compaction carries, and never holds the "#" that stands for FNC1.
    ean128_parser parser(input, humanReadable != nullptr ? 0 : skip_text, hr_as_typed);
    // The FNC1 an element owes is written once another element follows it.
    const int status = forEachElementPart(parser, "#", humanReadable,
                                          [&dataString](const element_part& part) { dataString.append(part.view()); });
    if (status != end_of_input)
        fail(parser.diagnostic());
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
    // Reused from call to call: the data string is the only sizeable thing a call needs. It
    // is a plain array, so a thread's copy leaves nothing to destroy when the thread ends.
    static_assert(std::is_trivially_destructible_v<detail::expanded_data_string>);
    thread_local detail::expanded_data_string dataString;
    std::string text;
    int symbolCharacters = 0;
    {
        std::lock_guard guard(expandedEncodeLock());
        buildExpandedDataString(input, dataString, humanReadable != nullptr ? &text : nullptr);
        int bits = 0;
        symbolCharacters = detail::RSS14Eenc(dataString.text, widths, 0, s, &bits);
        if (symbolCharacters <= 0)
            fail("the data needs " + std::to_string(bits) + " bits, a symbol holds at most " +
                 std::to_string(maxSymbolBits));
    }
    if (humanReadable != nullptr)
        *humanReadable = std::move(text);
    return symbolCharacters;
}

}  // namespace detail

}  // namespace Kelbrin::Tallowlib
