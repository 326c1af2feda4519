// SPDX-License-Identifier: Apache-2.0
// The bit field of DataBar Expanded: reading bits, and the trace of a refused write.
#include "expanded/expanded_compaction.hpp"
#include "trace.hpp"

namespace Kelbrin::Tallowlib::detail {

namespace {

constexpr trace_site putBitsSite{"Kelbrin::Tallowlib::detail::putBits", 1928, "[rss-detail]", 40000};

}  // namespace

void traceRefusedBits(int start, int count)
{
    trace(putBitsSite, "\nputBits error, %d, %d\n", start, count);
}

unsigned readBits(const bit_field& field, int start, int count)
{
    if (count > 16)
        count = 16;
    if (count <= 0)
        return 0;
    if (start < 0 || start > bitFieldBits - count) {
        // Partly or wholly outside the field: those bits read 0.
        unsigned value = 0;
        for (int n = start; n < start + count; ++n) {
            unsigned bit = 0;
            if (n >= 0 && n < bitFieldBits)
                bit = (field[static_cast<std::size_t>(n / 8)] >> (7 - n % 8)) & 1u;
            value = value << 1 | bit;
        }
        return value;
    }
    const auto first = static_cast<std::size_t>(start / 8);  // the window stays in the array
    const std::uint32_t window = std::uint32_t{field[first]} << 16 | std::uint32_t{field[first + 1]} << 8 | field[first + 2];
    return (window >> (24 - start % 8 - count)) & ((1u << count) - 1u);
}

}  // namespace Kelbrin::Tallowlib::detail
