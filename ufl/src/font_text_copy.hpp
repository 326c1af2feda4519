// SPDX-License-Identifier: Apache-2.0
// The encoders as the plain library offers them, compiled into this library: one encode,
// its font text copied into a caller's buffer of fixed capacity.
#pragma once

#include "tallowlib/symbol_text.hpp"

#include <cstdint>

namespace Kelbrin::U25Ferrow {

// Encodes `input` and writes its font text (lines joined with "\r\n") and a zero byte to
// `output`. Returns -1 for a null or empty input or any encoder failure, 0 when the text
// and its zero byte do not fit in `capacity` bytes, else the length written. Nothing is
// written unless the whole text fits, so a failure leaves `output` as it was.
int copyFontText(Tallowlib::symbology s, const char* input, std::int32_t segmentsPerRow, char* output,
                 std::uint32_t capacity);

// Segments per row for DataBar Expanded, within -1000..1000. Every value outside that range
// normalises to one row (22) exactly as the clamped value does, so the clamp only keeps the
// encoder's normalisation away from the ends of the integer range.
constexpr std::int32_t boundedSegmentsPerRow(std::int32_t segments)
{
    return segments < -1000 ? -1000 : segments > 1000 ? 1000 : segments;
}

}  // namespace Kelbrin::U25Ferrow
