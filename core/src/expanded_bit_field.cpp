// The bit field of DataBar Expanded and the character classes of its data string.
#include "tallowlib/expanded_compaction.hpp"
#include "tallowlib/trace.hpp"

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

void putBits(bit_field& field, int start, int count, unsigned value)
{
    if (start < 0 || count < 0 || count > 16 || start + count > bitFieldBits) {
        trace(putBitsSite, "\nputBits error, %d, %d\n", start, count);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const int n = start + i;
        const auto mask = static_cast<std::uint8_t>(0x80u >> (n % 8));
        if ((value >> (count - 1 - i)) & 1u)
            field[static_cast<std::size_t>(n / 8)] |= mask;
        else
            field[static_cast<std::size_t>(n / 8)] &= static_cast<std::uint8_t>(~mask);
    }
}

unsigned readBits(const bit_field& field, int start, int count)
{
    unsigned value = 0;
    for (int i = 0; i < count && i < 16; ++i) {
        const int n = start + i;
        unsigned bit = 0;
        if (n >= 0 && n < bitFieldBits)
            bit = (field[static_cast<std::size_t>(n / 8)] >> (7 - n % 8)) & 1u;
        value = value << 1 | bit;
    }
    return value;
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
    for (std::size_t i = 0; i < n; ++i)
        text[length++] = s[i];
    text[length] = '\0';
}

}  // namespace Kelbrin::Tallowlib::detail
