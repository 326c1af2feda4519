// The bit field of DataBar Expanded and the character classes of its data string.
#include "tallowlib/expanded_compaction.hpp"
#include "tallowlib/trace.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib::detail {

namespace {

constexpr std::array<std::uint8_t, 256> makeClassTable()
{
    std::array<std::uint8_t, 256> t{};
    t[0] = end_of_data;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = numeric_class | alphanumeric_set | iso646_set;
    t['#'] = numeric_class | fnc1_class | alphanumeric_set | iso646_set;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = alphanumeric_set | iso646_set;
    for (char c : {'*', ',', '-', '.', '/', '^'})
        t[static_cast<unsigned char>(c)] = alphanumeric_set | iso646_set;
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = iso646_set;
    for (char c : {' ', '!', '"', '%', '&', '\'', '(', ')', '+', ':', ';', '<', '=', '>', '?', '_'})
        t[static_cast<unsigned char>(c)] = iso646_set;
    return t;
}

constexpr std::array<std::uint8_t, 256> classTable = makeClassTable();

constexpr trace_site putBitsSite{"Kelbrin::Tallowlib::detail::putBits", 1928, "[rss-detail]", 40000};

}  // namespace

std::uint8_t characterClass(char c) { return classTable[static_cast<unsigned char>(c)]; }

// Up to 16 bits starting anywhere in a byte span at most three bytes: a 24-bit window.
constexpr int windowBits = 24;

void putBits(bit_field& field, int start, int count, unsigned value)
{
    if (start < 0 || count < 0 || count > 16 || start > bitFieldBits - count) {
        trace(putBitsSite, "\nputBits error, %d, %d\n", start, count);
        return;
    }
    const int first = start / 8;
    const int shift = windowBits - start % 8 - count;
    const std::uint32_t mask = ((1u << count) - 1u) << shift;
    const std::uint32_t bits = (value << shift) & mask;
    for (int b = 0; b < 3 && first + b < bitFieldBytes; ++b) {
        const int byteShift = windowBits - 8 - 8 * b;
        auto& byte = field[static_cast<std::size_t>(first + b)];
        byte = static_cast<std::uint8_t>((byte & ~(mask >> byteShift)) | (bits >> byteShift));
    }
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
    const int first = start / 8;
    const auto byte = [&](int i) -> std::uint32_t {
        return i < bitFieldBytes ? field[static_cast<std::size_t>(i)] : 0u;
    };
    const std::uint32_t window = byte(first) << 16 | byte(first + 1) << 8 | byte(first + 2);
    return (window >> (windowBits - start % 8 - count)) & ((1u << count) - 1u);
}

void expanded_compaction::write(int count, unsigned value)
{
    putBits(*field, bits, count, value);
    bits += count;
}

void expanded_data_string::append(std::string_view s)
{
    const auto room = static_cast<std::size_t>(maxDataStringLength - length);
    const std::size_t n = s.size() < room ? s.size() : room;
    if (n > 0)
        std::memcpy(text + length, s.data(), n);
    length += static_cast<int>(n);
    text[length] = '\0';
}

}  // namespace Kelbrin::Tallowlib::detail
