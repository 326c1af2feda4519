// SPDX-License-Identifier: Apache-2.0
// Code 128 and GS1-128 as one line of width characters.
#include "symbol_text_parts.hpp"

#include "code128/code128_encoder.hpp"
#include "code128/small_buffer.hpp"
#include "gs1/ean128_encoder.hpp"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace Kelbrin::Tallowlib::detail {

void encodeCode128Family(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    lines.resize(1);
    std::string& text = lines.front();  // the caller's line keeps its storage
    if (s == symbology::code128) {
        code128FontText(input, input == nullptr ? 0 : std::strlen(input), text, humanReadable);
        return;
    }
    // The message gathered where typical ones fit without a heap block, then read as one
    // text: an escape may run from one piece into the next.
    small_buffer<char, 256> message;
    std::size_t length = 0;
    forEachEan128MessagePiece(input, humanReadable, [&message, &length](std::string_view piece) {
        message.reserve(length + piece.size(), length);
        std::memcpy(message.data() + length, piece.data(), piece.size());
        length += piece.size();
    });
    code128FontText(message.data(), length, text);
}

}  // namespace Kelbrin::Tallowlib::detail
