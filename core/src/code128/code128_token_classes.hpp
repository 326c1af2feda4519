// Code 128 tokens as table slots, and what the encoder asks about each slot.
#pragma once

#include "code128/code128_values.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib::detail {

// Slots 0..255 hold the data characters, 256..259 FNC1..FNC4. A function number that is
// none of FNC1..FNC3 is taken as FNC4.
inline constexpr std::size_t code128SlotCount = 260;
inline constexpr code128_slot code128SlotFnc1 = 256;

constexpr code128_slot code128SlotOf(code128_token t)
{
    if (t <= 0xFF)
        return t;
    return t == code128_fnc1 ? 256 : t == code128_fnc2 ? 257 : t == code128_fnc3 ? 258 : 259;
}

// What the encoder asks about a slot, looked up in a table instead of worked out by range
// tests. The base of a data character is its code, less 128 if extended.
enum code128_flag : std::uint8_t {
    code128_flag_digit = 1,      // '0'..'9'
    code128_flag_fnc1 = 2,       // FNC1
    code128_flag_control = 4,    // a data character whose base is below 32: needs set A
    code128_flag_lower = 8,      // a data character whose base is 96 or more: needs set B
    code128_flag_extended = 16,  // a data character of 128..255
};

struct code128_slot_tables {
    std::array<std::uint8_t, code128SlotCount> flags;
    // The value in set A ([0]) and in set B ([1]): of the base for an extended character,
    // 0 outside the set; FNC4 is the code of the other set.
    std::array<std::array<std::uint8_t, code128SlotCount>, 2> value;
};

constexpr std::uint8_t code128ValueInA(int base)
{
    return static_cast<std::uint8_t>(base < 32 ? base + 64 : base <= 95 ? base - 32 : 0);
}

constexpr std::uint8_t code128ValueInB(int base)
{
    return static_cast<std::uint8_t>(base >= 32 && base <= 127 ? base - 32 : 0);
}

inline constexpr code128_slot_tables code128SlotTables = [] {
    code128_slot_tables t{};
    for (int code = 0; code <= 0xFF; ++code) {
        const int base = code >= 128 ? code - 128 : code;
        const auto slot = static_cast<std::size_t>(code);
        std::uint8_t flags = 0;
        if (code >= '0' && code <= '9')
            flags |= code128_flag_digit;
        if (base < 32)
            flags |= code128_flag_control;
        if (base >= 96)
            flags |= code128_flag_lower;
        if (code >= 128)
            flags |= code128_flag_extended;
        t.flags[slot] = flags;
        t.value[0][slot] = code128ValueInA(base);
        t.value[1][slot] = code128ValueInB(base);
    }
    t.flags[256] = code128_flag_fnc1;
    const std::uint8_t functions[2][4] = {{code128_value::fnc1, 97, 96, code128_value::codeA},
                                          {code128_value::fnc1, 97, 96, code128_value::codeB}};
    for (std::size_t set = 0; set < 2; ++set)
        for (std::size_t f = 0; f < 4; ++f)
            t.value[set][256 + f] = functions[set][f];
    return t;
}();

static_assert(code128SlotTables.value[0]['A'] == 33 && code128SlotTables.value[1]['A'] == 33);
static_assert(code128SlotTables.value[0][1] == 65 && code128SlotTables.value[1][1] == 0);
static_assert(code128SlotTables.value[1][0xE1] == 65);
static_assert(code128SlotTables.flags[0xE1] == (code128_flag_lower | code128_flag_extended));
static_assert(code128SlotOf(code128_fnc4) == 259 && code128SlotOf(203 << 8) == 259);

}  // namespace Kelbrin::Tallowlib::detail
