// SPDX-License-Identifier: Apache-2.0
// Code 128 symbol values from tokens, with automatic code sets, shifts and the FNC4 latch.
#include "code128/code128_values.hpp"

#include "code128/code128_patterns.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace Kelbrin::Tallowlib {

namespace {

// What the encoder asks about a token, looked up instead of worked out by range tests. The
// base of a data character is its code, less 128 if extended.
enum token_class : std::uint8_t {
    class_digit = 1,      // '0'..'9'
    class_fnc1 = 2,       // FNC1
    class_control = 4,    // a data character whose base is below 32: set A only
    class_lower = 8,      // a data character whose base is 96 or more: set B only
    class_extended = 16,  // a data character of 128..255
};

inline constexpr std::size_t tokenCount = code128_fnc4 + 1;

struct token_tables {
    std::array<std::uint8_t, tokenCount> classes;
    // The value in set A ([0]) and in set B ([1]): of the base for an extended character,
    // 0 outside the set; FNC4 is the code of the other set.
    std::array<std::array<std::uint8_t, tokenCount>, 2> value;
};

constexpr token_tables tokenTables = [] {
    token_tables t{};
    for (int code = 0; code <= 0xFF; ++code) {
        const int base = code & 0x7F;
        const auto token = static_cast<std::size_t>(code);
        t.classes[token] = static_cast<std::uint8_t>((code >= '0' && code <= '9' ? class_digit : 0) |
                                                     (base < 32 ? class_control : 0) | (base >= 96 ? class_lower : 0) |
                                                     (code >= 128 ? class_extended : 0));
        t.value[0][token] = static_cast<std::uint8_t>(base < 32 ? base + 64 : base <= 95 ? base - 32 : 0);
        t.value[1][token] = static_cast<std::uint8_t>(base >= 32 ? base - 32 : 0);
    }
    t.classes[code128_fnc1] = class_fnc1;
    for (std::size_t set = 0; set < 2; ++set) {
        t.value[set][code128_fnc1] = code128_value::fnc1;
        t.value[set][code128_fnc2] = code128_value::fnc2;
        t.value[set][code128_fnc3] = code128_value::fnc3;
    }
    t.value[0][code128_fnc4] = code128_value::codeA;
    t.value[1][code128_fnc4] = code128_value::codeB;
    return t;
}();

static_assert(tokenTables.value[0]['A'] == 33 && tokenTables.value[1]['A'] == 33);
static_assert(tokenTables.value[0][1] == 65 && tokenTables.value[1][1] == 0);
static_assert(tokenTables.value[1][0xE1] == 65 && tokenTables.value[0][0xE1] == 0);
static_assert(tokenTables.classes[0xE1] == (class_lower | class_extended));

using code_set = code128_set;

// Where the walk writes a value: as itself, or as its width characters.
struct as_values {
    using container = std::vector<std::uint8_t>;
    static constexpr std::size_t width = 1;  // units a value takes at most
    static constexpr std::size_t slack = 0;  // units written past the last value
    static std::uint8_t* put(std::uint8_t* w, std::uint8_t v)
    {
        *w = v;
        return w + 1;
    }
};

struct as_font_text {
    using container = std::string;
    // Seven characters at most (the stop), the whole eight-character entry copied.
    static constexpr std::size_t width = code128FontTextRoom - 1;
    static constexpr std::size_t slack = 1;
    static char* put(char* w, std::uint8_t v) { return putCode128FontText(w, v); }
};

template <typename Encoding>
constexpr std::size_t roomFor(std::size_t values)
{
    return values * Encoding::width + Encoding::slack;
}

// `out` grown to hold `values` more values after `w`: the new write position and end. A free
// function, so that no walk's address is handed out.
template <typename Encoding, typename Unit = typename Encoding::container::value_type>
std::pair<Unit*, Unit*> grown(typename Encoding::container& out, Unit* w, std::size_t values)
{
    const auto written = static_cast<std::size_t>(w - out.data());
    out.resize(out.size() * 2 + roomFor<Encoding>(values));
    return {out.data() + written, out.data() + out.size()};
}

// The most values one step in A or B writes: an FNC4 pair, a shift and the character.
constexpr std::size_t maxPerStep = 4;

// The walk over a message: start, data, code changes, check character and stop, written
// after what `out` holds. A local object whose address is never handed out, so that once its
// steps are inlined its state, with the write position in the caller's storage, lives in
// registers. Storage is grown before each step to hold the most the step writes.
template <typename Encoding>
class symbol_walk {
    using unit = typename Encoding::container::value_type;

public:
    symbol_walk(const code128_position* positions, std::size_t count, typename Encoding::container& out)
        : at_(positions), n_(count), out_(out)
    {
        const std::size_t start = out.size();
        out.resize(start + roomFor<Encoding>(count + 16));
        w_ = out.data() + start;
        end_ = out.data() + out.size();
    }

    void run()
    {
        set_ = startSet();
        const std::uint8_t start = set_ == code_set::a   ? code128_value::startA
                                   : set_ == code_set::b ? code128_value::startB
                                                         : code128_value::startC;
        w_ = Encoding::put(w_, start);
        sum_ = start;
        while (p_ < n_) {
            makeRoom(n_ - p_ + maxPerStep);  // a stretch writes at most one value a token
            if (set_ == code_set::c)
                stretchInC();
            else if (!plainStretchInAOrB())
                stepInAOrB();
        }
        makeRoom(2);
        w_ = Encoding::put(w_, static_cast<std::uint8_t>(sum_ % 103));
        w_ = Encoding::put(w_, code128_value::stop);
        out_.resize(static_cast<std::size_t>(w_ - out_.data()));
    }

private:
    code_set startSet() const
    {
        if (n_ == 2 && (at_[0].classes & at_[1].classes & class_digit) != 0)
            return code_set::c;
        return at_[0].digitRun >= 4 ? code_set::c : at_[0].needed;
    }

    void makeRoom(std::size_t values)
    {
        if (static_cast<std::size_t>(end_ - w_) < roomFor<Encoding>(values))
            std::tie(w_, end_) = grown<Encoding>(out_, w_, values);
    }

    // A value after the start, into the check sum: the first is weighed by 1, the next by
    // 2, and so on.
    void put(std::uint8_t v)
    {
        w_ = Encoding::put(w_, v);
        sum_ += v * weight_++;
    }

    // FNC4 is the code of the other set, so is the change from C to A or B.
    std::uint8_t fnc4() const { return set_ == code_set::a ? code128_value::codeA : code128_value::codeB; }

    // The value of the character at p_ in A or B.
    std::uint8_t valueIn(bool inA) const { return tokenTables.value[inA ? 0 : 1][at_[p_].token]; }

    // Digit pairs and FNC1 stay in C; anything else leaves it for the set it needs.
    void stretchInC()
    {
        while (p_ < n_) {
            if ((at_[p_].classes & class_fnc1) != 0) {
                put(code128_value::fnc1);
                ++p_;
            }
            else if (p_ + 1 < n_ && (at_[p_].classes & at_[p_ + 1].classes & class_digit) != 0) {
                put(static_cast<std::uint8_t>((at_[p_].token - '0') * 10 + (at_[p_ + 1].token - '0')));
                p_ += 2;
            }
            else {
                set_ = at_[p_].needed;
                put(fnc4());
                return;
            }
        }
    }

    // Outside the latch: characters of the current set that take no shift or FNC4 and do
    // not start a digit run for C, one value each. True when it reaches the end.
    bool plainStretchInAOrB()
    {
        if (latch_)
            return false;
        const bool inA = set_ == code_set::a;
        const std::uint8_t stops = class_extended | (inA ? class_lower : class_control);
        for (; p_ < n_; ++p_) {
            if ((at_[p_].classes & stops) != 0 || at_[p_].digitRun >= 4)
                return false;
            put(valueIn(inA));
        }
        return true;
    }

    // A move to C, a change to the other set, or one character (shifted if need be).
    void stepInAOrB()
    {
        const code128_position& here = at_[p_];
        const bool inA = set_ == code_set::a;
        if (here.digitRun >= 4) {
            if (here.digitRun % 2 == 1) {
                // The odd digit goes in this set first. Under the FNC4 latch a digit would be
                // read as an extended character, so the latch is closed before it.
                if (latch_ && (here.classes & class_digit) != 0)
                    unlatch();
                put(valueIn(inA));
                ++p_;
            }
            put(code128_value::codeC);
            set_ = code_set::c;
            return;
        }
        // A character that belongs to the other set: a change for two in a row, else a shift.
        const std::uint8_t other = inA ? class_lower : class_control;
        const bool shifted = (here.classes & other) != 0;
        if (shifted && p_ + 1 < n_ && (at_[p_ + 1].classes & other) != 0) {
            put(inA ? code128_value::codeB : code128_value::codeA);
            set_ = inA ? code_set::b : code_set::a;
            return;
        }
        putCharacter(shifted);
    }

    // The character at p_ with the FNC4 latch rules: an extended one takes FNC4 before it,
    // twice to latch when a run of them follows; any other closes the latch.
    void putCharacter(bool shifted)
    {
        if ((at_[p_].classes & class_extended) != 0) {
            if (!latch_) {
                put(fnc4());
                if (extendedRunFollows()) {
                    put(fnc4());
                    latch_ = true;
                }
            }
        }
        else if (latch_) {
            unlatch();
        }
        if (shifted)
            put(code128_value::shift);
        put(valueIn((set_ == code_set::a) != shifted));
        ++p_;
    }

    // Worth latching FNC4: three extended characters end the message, or five follow.
    bool extendedRunFollows() const
    {
        const std::size_t left = n_ - p_;
        const std::size_t needed = left == 3 ? 3 : left >= 5 ? 5 : 0;
        for (std::size_t k = 0; k < needed; ++k)
            if ((at_[p_ + k].classes & class_extended) == 0)
                return false;
        return needed != 0;
    }

    void unlatch()
    {
        put(fnc4());
        put(fnc4());
        latch_ = false;
    }

    const code128_position* const at_;
    const std::size_t n_;
    typename Encoding::container& out_;
    unit* w_;
    unit* end_;
    std::uint64_t sum_ = 0;
    std::uint64_t weight_ = 1;
    std::size_t p_ = 0;
    code_set set_ = code_set::b;
    bool latch_ = false;
};

}  // namespace

const code128_position* code128_message::prepared()
{
    code128_position* const at = positions_.data();
    at[size_] = {0, 0, 0, code_set::b};
    std::uint32_t run = 0;     // the digit run from the token after this one
    std::uint32_t oddRun = 0;  // the same, walked with that token at an odd offset
    code_set needed = code_set::b;
    for (std::size_t p = size_; p-- > 0;) {
        code128_position& here = at[p];
        const std::uint8_t c = tokenTables.classes[here.token];
        const std::uint32_t digit = c & class_digit;
        static_assert(class_digit == 1 && class_fnc1 == 2);
        const std::uint32_t weight = digit + (c & class_fnc1);  // a digit counts one, FNC1 two
        const std::uint32_t runHere = weight != 0 ? weight + oddRun : 0;
        oddRun = digit != 0 ? 1 + run : 0;
        run = runHere;
        if ((c & (class_control | class_lower)) != 0)
            needed = (c & class_control) != 0 ? code_set::a : code_set::b;
        here.digitRun = run;
        here.classes = c;
        here.needed = needed;
    }
    return at;
}

std::vector<std::uint8_t> code128_message::values()
{
    std::vector<std::uint8_t> out;
    symbol_walk<as_values>(prepared(), size_, out).run();
    return out;
}

void code128_message::appendFontText(std::string& text)
{
    symbol_walk<as_font_text>(prepared(), size_, text).run();
}

std::vector<std::uint8_t> encodeCode128Values(std::span<const code128_token> tokens)
{
    code128_message message;
    for (const code128_token t : tokens)
        message.append(t);
    return message.values();
}

}  // namespace Kelbrin::Tallowlib
