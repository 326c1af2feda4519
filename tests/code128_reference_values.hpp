// The straightforward value encoder the fast one must agree with: a look-ahead table for every
// position built from the end, then one token at a time. Kept for the tests only.
#pragma once

#include "code128/code128_values.hpp"

#include <cstdint>
#include <vector>

namespace code128_reference {

using namespace Kelbrin::Tallowlib;

// ---- token classes ------------------------------------------------------------------------

constexpr bool isFunction(code128_token t) { return t > 0xFF; }
constexpr bool isDigit(code128_token t) { return t >= '0' && t <= '9'; }
constexpr bool isExtended(code128_token t) { return t >= 128 && t <= 0xFF; }
constexpr int baseOf(code128_token t) { return isExtended(t) ? t - 128 : t; }
// Data characters by the range of their base; function characters belong to none.
constexpr bool isControl(code128_token t) { return !isFunction(t) && baseOf(t) < 32; }
constexpr bool isLowerRange(code128_token t) { return !isFunction(t) && baseOf(t) >= 96; }

enum class code_set { a, b, c };

inline std::uint8_t functionValue(code128_token t, code_set set)
{
    switch (t) {
    case code128_fnc1: return code128_value::fnc1;
    case code128_fnc2: return 97;
    case code128_fnc3: return 96;
    default: return set == code_set::a ? code128_value::codeA : code128_value::codeB;  // FNC4
    }
}

// Value of a token (or of a base code) in set A or B; characters outside the set give 0.
inline std::uint8_t valueInA(code128_token t)
{
    if (isFunction(t))
        return functionValue(t, code_set::a);
    if (t >= 32 && t <= 95)
        return static_cast<std::uint8_t>(t - 32);
    if (t < 32)
        return static_cast<std::uint8_t>(t + 64);
    return 0;
}

inline std::uint8_t valueInB(code128_token t)
{
    if (isFunction(t))
        return functionValue(t, code_set::b);
    if (t >= 32 && t <= 127)
        return static_cast<std::uint8_t>(t - 32);
    return 0;
}

// ---- value encoding -----------------------------------------------------------------------

class value_encoder {
public:
    value_encoder(const std::vector<code128_token>& tokens, std::vector<std::uint8_t>& values)
        : t_(tokens), n_(tokens.size()), out_(values), ahead_(scratch())
    {
    }

    void run()
    {
        scanAhead();
        out_.clear();
        out_.reserve(n_ + 8);
        set_ = startSet();
        out_.push_back(set_ == code_set::a ? code128_value::startA
                       : set_ == code_set::b ? code128_value::startB
                                             : code128_value::startC);
        while (p_ < n_) {
            if (set_ == code_set::c)
                stepInC();
            else
                stepInAOrB();
        }
        appendCheckAndStop();
    }

private:
    // What the loop asks about every position, worked out once from the end so that no
    // question walks the rest of the message again.
    struct ahead {
        std::uint32_t evenRun;  // digit run walked from here, this token at offset 0
        std::uint32_t oddRun;   // the same walk with this token at an odd offset
        code_set needed;        // A when a control character comes first from here on, else B
    };

    void scanAhead()
    {
        ahead_.assign(n_ + 1, ahead{0, 0, code_set::b});
        for (std::size_t p = n_; p-- > 0;) {
            const code128_token t = t_[p];
            ahead& a = ahead_[p];
            const ahead& next = ahead_[p + 1];
            // An FNC1 at an even offset counts as two digits; at an odd offset it ends the run.
            a.evenRun = t == code128_fnc1 ? 2 + next.oddRun : isDigit(t) ? 1 + next.oddRun : 0;
            a.oddRun = isDigit(t) ? 1 + next.evenRun : 0;
            a.needed = isControl(t) ? code_set::a : isLowerRange(t) ? code_set::b : next.needed;
        }
    }

    // Digit run at p: an FNC1 at an even offset counts as two digits.
    std::size_t digitRun(std::size_t p) const { return ahead_[p].evenRun; }

    // Worth latching FNC4: three extended characters end the message, or five follow.
    bool extendedRun(std::size_t p) const
    {
        const std::size_t left = n_ - p;
        const std::size_t needed = left == 3 ? 3 : left >= 5 ? 5 : 0;
        if (needed == 0)
            return false;
        for (std::size_t k = 0; k < needed; ++k)
            if (!isExtended(t_[p + k]))
                return false;
        return true;
    }

    // The set of the first character from p that needs A or B; B when none does. Function
    // characters and characters of the shared range 32..95 are passed over.
    code_set firstNeededSet(std::size_t p) const { return ahead_[p].needed; }

    code_set startSet() const
    {
        if (n_ == 2 && isDigit(t_[0]) && isDigit(t_[1]))
            return code_set::c;
        if (digitRun(0) >= 4)
            return code_set::c;
        return firstNeededSet(0);
    }

    void append(std::uint8_t v) { out_.push_back(v); }

    void stepInC()
    {
        const code128_token t = t_[p_];
        if (t == code128_fnc1) {
            append(code128_value::fnc1);
            ++p_;
        }
        else if (isDigit(t) && p_ + 1 < n_ && isDigit(t_[p_ + 1])) {
            append(static_cast<std::uint8_t>((t - '0') * 10 + (t_[p_ + 1] - '0')));
            p_ += 2;
        }
        else {
            set_ = firstNeededSet(p_);
            append(set_ == code_set::a ? code128_value::codeA : code128_value::codeB);
        }
    }

    std::uint8_t valueInCurrent(code128_token t) const { return set_ == code_set::a ? valueInA(t) : valueInB(t); }

    void stepInAOrB()
    {
        const std::size_t run = digitRun(p_);
        if (run >= 4) {
            if (run % 2 == 1) {
                // The odd digit goes in this set first. Under the FNC4 latch a digit would be
                // read as an extended character, so the latch is closed before it.
                const code128_token t = t_[p_];
                if (latch_ && isDigit(t))
                    unlatch();
                append(valueInCurrent(t));
                ++p_;
            }
            append(code128_value::codeC);
            set_ = code_set::c;
            return;
        }
        const bool inA = set_ == code_set::a;
        const code128_token t = t_[p_];
        // A character that belongs to the other set: a switch for two in a row, else a shift.
        if (inA ? isLowerRange(t) : isControl(t)) {
            const bool pairFollows = p_ + 1 < n_ && (inA ? isLowerRange(t_[p_ + 1]) : isControl(t_[p_ + 1]));
            if (pairFollows) {
                append(inA ? code128_value::codeB : code128_value::codeA);
                set_ = inA ? code_set::b : code_set::a;
                return;
            }
            appendCharacter(t, true);
        }
        else {
            appendCharacter(t, false);
        }
        ++p_;
    }

    // One token in the current set (or, shifted, in the other), with the FNC4 latch rules.
    void appendCharacter(code128_token t, bool shifted)
    {
        const std::uint8_t fnc4 = set_ == code_set::a ? code128_value::codeA : code128_value::codeB;
        const auto valueOf = [&](code128_token c) {
            const bool inA = (set_ == code_set::a) != shifted;
            return inA ? valueInA(c) : valueInB(c);
        };
        if (isExtended(t)) {
            if (!latch_) {
                if (extendedRun(p_)) {
                    append(fnc4);
                    append(fnc4);
                    latch_ = true;
                }
                else {
                    append(fnc4);
                }
            }
            if (shifted)
                append(code128_value::shift);
            append(valueOf(static_cast<code128_token>(baseOf(t))));
            return;
        }
        if (latch_)
            unlatch();
        if (shifted)
            append(code128_value::shift);
        append(valueOf(t));
    }

    void unlatch()
    {
        const std::uint8_t fnc4 = set_ == code_set::a ? code128_value::codeA : code128_value::codeB;
        append(fnc4);
        append(fnc4);
        latch_ = false;
    }

    void appendCheckAndStop()
    {
        std::uint64_t sum = out_[0];
        for (std::size_t i = 1; i < out_.size(); ++i)
            sum += static_cast<std::uint64_t>(i) * out_[i];
        append(static_cast<std::uint8_t>(sum % 103));
        append(code128_value::stop);
    }

    const std::vector<code128_token>& t_;
    const std::size_t n_;
    std::vector<std::uint8_t>& out_;
    std::vector<ahead>& ahead_;

    // The look-ahead table keeps its storage from call to call on each thread.
    static std::vector<ahead>& scratch()
    {
        thread_local std::vector<ahead> table;
        return table;
    }
    std::size_t p_ = 0;
    code_set set_ = code_set::b;
    bool latch_ = false;
};

inline std::vector<std::uint8_t> encodeValues(const std::vector<code128_token>& tokens)
{
    std::vector<std::uint8_t> values;
    value_encoder(tokens, values).run();
    return values;
}

}  // namespace code128_reference
