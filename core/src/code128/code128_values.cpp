// Code 128 symbol values from tokens, with automatic code sets, shifts and the FNC4 latch.
#include "code128/code128_values.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
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

// A token past FNC4 is no token of the tokenizer's; it is taken as FNC4.
constexpr std::size_t indexOf(code128_token t) { return t < tokenCount ? t : code128_fnc4; }

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

enum class code_set : std::uint8_t { a, b, c };

// What the walk asks about the tokens from a position on, worked out once from the end.
struct ahead {
    // The digit run from here, this token at offset 0: a digit counts one, an FNC1 at an
    // even offset two; anything else, or an FNC1 at an odd offset, ends it.
    std::uint32_t digitRun;
    // The set of the first character from here that needs A or B; B when none does.
    code_set needed;
};

std::vector<ahead> lookAhead(std::span<const code128_token> tokens)
{
    std::vector<ahead> out(tokens.size() + 1, ahead{0, code_set::b});
    std::uint32_t nextOddRun = 0;  // the run from the next token, walked with it at an odd offset
    for (std::size_t p = tokens.size(); p-- > 0;) {
        const std::uint8_t c = tokenTables.classes[indexOf(tokens[p])];
        const bool digit = (c & class_digit) != 0;
        const std::uint32_t oddRun = digit ? 1 + out[p + 1].digitRun : 0;
        out[p].digitRun = digit ? 1 + nextOddRun : (c & class_fnc1) != 0 ? 2 + nextOddRun : 0;
        out[p].needed = (c & class_control) != 0 ? code_set::a : (c & class_lower) != 0 ? code_set::b : out[p + 1].needed;
        nextOddRun = oddRun;
    }
    return out;
}

// The walk over a message: start, data, code changes, check character and stop.
class symbol_walk {
public:
    explicit symbol_walk(std::span<const code128_token> tokens) : t_(tokens), ahead_(lookAhead(tokens))
    {
        out_.reserve(tokens.size() + 8);
    }

    std::vector<std::uint8_t> run()
    {
        set_ = startSet();
        put(set_ == code_set::a ? code128_value::startA : set_ == code_set::b ? code128_value::startB
                                                                              : code128_value::startC);
        while (p_ < t_.size()) {
            if (set_ == code_set::c)
                stepInC();
            else
                stepInAOrB();
        }
        std::uint64_t sum = out_[0];
        for (std::size_t i = 1; i < out_.size(); ++i)
            sum += i * out_[i];
        put(static_cast<std::uint8_t>(sum % 103));
        put(code128_value::stop);
        return std::move(out_);
    }

private:
    std::uint8_t classAt(std::size_t p) const { return tokenTables.classes[indexOf(t_[p])]; }

    code_set startSet() const
    {
        if (t_.size() == 2 && (classAt(0) & classAt(1) & class_digit) != 0)
            return code_set::c;
        return ahead_[0].digitRun >= 4 ? code_set::c : ahead_[0].needed;
    }

    void put(std::uint8_t v) { out_.push_back(v); }

    // FNC4 is the code of the other set, so is the change from C to A or B.
    std::uint8_t fnc4() const { return set_ == code_set::a ? code128_value::codeA : code128_value::codeB; }

    // Digit pairs and FNC1 stay in C; anything else leaves it for the set it needs.
    void stepInC()
    {
        if (t_[p_] == code128_fnc1) {
            put(code128_value::fnc1);
            ++p_;
        }
        else if (p_ + 1 < t_.size() && (classAt(p_) & classAt(p_ + 1) & class_digit) != 0) {
            put(static_cast<std::uint8_t>((t_[p_] - '0') * 10 + (t_[p_ + 1] - '0')));
            p_ += 2;
        }
        else {
            set_ = ahead_[p_].needed;
            put(fnc4());
        }
    }

    // A move to C, a change to the other set, or one character (shifted if need be).
    void stepInAOrB()
    {
        const std::uint32_t run = ahead_[p_].digitRun;
        if (run >= 4) {
            if (run % 2 == 1) {
                // The odd digit goes in this set first. Under the FNC4 latch a digit would be
                // read as an extended character, so the latch is closed before it.
                if (latch_ && (classAt(p_) & class_digit) != 0)
                    unlatch();
                put(tokenTables.value[set_ == code_set::a ? 0 : 1][indexOf(t_[p_++])]);
            }
            put(code128_value::codeC);
            set_ = code_set::c;
            return;
        }
        // A character that belongs to the other set: a change for two in a row, else a shift.
        const bool inA = set_ == code_set::a;
        const std::uint8_t other = inA ? class_lower : class_control;
        const bool shifted = (classAt(p_) & other) != 0;
        if (shifted && p_ + 1 < t_.size() && (classAt(p_ + 1) & other) != 0) {
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
        if ((classAt(p_) & class_extended) != 0) {
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
        put(tokenTables.value[(set_ == code_set::a) != shifted ? 0 : 1][indexOf(t_[p_++])]);
    }

    // Worth latching FNC4: three extended characters end the message, or five follow.
    bool extendedRunFollows() const
    {
        const std::size_t left = t_.size() - p_;
        const std::size_t needed = left == 3 ? 3 : left >= 5 ? 5 : 0;
        for (std::size_t k = 0; k < needed; ++k)
            if ((classAt(p_ + k) & class_extended) == 0)
                return false;
        return needed != 0;
    }

    void unlatch()
    {
        put(fnc4());
        put(fnc4());
        latch_ = false;
    }

    const std::span<const code128_token> t_;
    const std::vector<ahead> ahead_;
    std::vector<std::uint8_t> out_;
    std::size_t p_ = 0;
    code_set set_ = code_set::b;
    bool latch_ = false;
};

}  // namespace

std::vector<std::uint8_t> encodeCode128Values(std::span<const code128_token> tokens)
{
    return symbol_walk(tokens).run();
}

}  // namespace Kelbrin::Tallowlib
