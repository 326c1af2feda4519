// SPDX-License-Identifier: Apache-2.0
// Seeded random data for every symbology, with what a reader must read back from the symbol.
#pragma once

#include "tallowlib/symbol_text.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace strivane::fonttest {

struct sample {
    std::string input;     // what the encoder is given
    std::string expected;  // the data a reader returns: GS1 data as AIs and values with GS (0x1d)
                           // after variable-length elements, other data as its bytes
    int segmentsPerRow = 22;
};

// True when the AI's first two digits fix the element's length (no FNC1 needed after it).
bool predefinedLength(std::string_view ai);

// Element string in brackets, "(01)123...(10)AB", to the data a reader returns.
std::string bracketedToData(std::string_view text);

// What a reader returned for a symbol of the reader's `format`, in the form of sample::expected:
// zxing-cpp gives DataBar's bare GTIN and DataBar Expanded as AIs in brackets.
std::string readerData(std::string_view format, std::string data);

// Bytes as lower-case hex digits, two per byte (how the office proof's tools pass data on).
std::string hex(std::string_view bytes);

// `count` samples for `s`, the same for the same seed. For DataBar Expanded the segments per
// row cycle through 2, 4 .. 20 when `stacked`, and are 22 (one row) otherwise.
std::vector<sample> randomSamples(Kelbrin::Tallowlib::symbology s, int count, unsigned seed, bool stacked = false);

}  // namespace strivane::fonttest
