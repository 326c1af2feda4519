// Code 128 symbol values from tokens, with automatic code sets, shifts and the FNC4 latch.
#include "code128/code128_values.hpp"

#include "code128/code128_token_classes.hpp"
#include "code128/code128_value_sinks.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Kelbrin::Tallowlib {

namespace {

using namespace detail;

enum class code_set { a, b, c };

constexpr bool isDigitSlot(code128_slot s) { return static_cast<unsigned>(s - '0') < 10; }

// A message as slots: tokens looked up on the way, or slots as the tokenizer stored them.
struct token_slots {
    const code128_token* tokens;
    code128_slot operator[](std::size_t p) const { return code128SlotOf(tokens[p]); }
};

struct stored_slots {
    const code128_slot* slots;
    code128_slot operator[](std::size_t p) const { return slots[p]; }
};

// ---- look-ahead ---------------------------------------------------------------------------

// Scratch kept from call to call on each thread: the digit runs of the look-ahead.
std::vector<std::uint32_t>& digitRunScratch()
{
    thread_local std::vector<std::uint32_t> runs;
    return runs;
}

// What the encoder asks about the tokens ahead of it. Positions asked about only move
// forwards, so every answer is worked out once for a stretch and kept: no question walks
// the rest of the message again, whatever its length.
template <class Slots>
class look_ahead {
public:
    look_ahead(Slots slots, std::size_t count) : s_(slots), n_(count) {}

    std::uint8_t flagsAt(std::size_t p) const { return code128SlotTables.flags[s_[p]]; }

    // Digit run at p, walked from p with p at offset 0: a digit counts one, an FNC1 at an
    // even offset two; anything else, or an FNC1 at an odd offset, ends it. The stretch of
    // digits and FNC1s around p is found the first time a position in it is asked about,
    // and the run from there with it. In a stretch of digits alone any run is the distance
    // to its end; in one with FNC1s, the next position asked about has the runs of the rest
    // of the stretch worked out backwards from its end, once.
    std::uint32_t digitRun(std::size_t p)
    {
        if ((flagsAt(p) & (code128_flag_digit | code128_flag_fnc1)) == 0)
            return 0;
        if (p >= stretchEnd_)
            return walkStretch(p);
        if (digitsOnly_)
            return static_cast<std::uint32_t>(stretchEnd_ - p);
        if (!runsFilled_)
            fillDigitRuns(p, stretchEnd_);
        return (*runs_)[p];
    }

    // The end of the digits from p when p lies in a stretch of digits alone already found;
    // p itself otherwise.
    std::size_t knownDigitsEnd(std::size_t p) const { return digitsOnly_ && p < stretchEnd_ ? stretchEnd_ : p; }

    // The set of the first character from p that needs A or B; B when none does. Function
    // characters and characters of the shared range 32..95 are passed over. The position
    // found is kept: until p passes it, the answer stays the same.
    code_set firstNeededSet(std::size_t p)
    {
        if (!neededKnown_ || p > neededAt_) {
            std::size_t q = p;
            while (q < n_ && (flagsAt(q) & (code128_flag_control | code128_flag_lower)) == 0)
                ++q;
            neededAt_ = q;
            neededKnown_ = true;
        }
        if (neededAt_ == n_)
            return code_set::b;
        return (flagsAt(neededAt_) & code128_flag_control) != 0 ? code_set::a : code_set::b;
    }

    // Worth latching FNC4: three extended characters end the message, or five follow.
    bool extendedRun(std::size_t p) const
    {
        const std::size_t left = n_ - p;
        const std::size_t needed = left == 3 ? 3 : left >= 5 ? 5 : 0;
        if (needed == 0)
            return false;
        for (std::size_t k = 0; k < needed; ++k)
            if ((flagsAt(p + k) & code128_flag_extended) == 0)
                return false;
        return true;
    }

    code_set startSet()
    {
        if (n_ == 0)
            return code_set::b;
        if (n_ == 2 && isDigitSlot(s_[0]) && isDigitSlot(s_[1]))
            return code_set::c;
        if (digitRun(0) >= 4)
            return code_set::c;
        return firstNeededSet(0);
    }

private:
    // Finds the end of the stretch from p and gives the run from p, walked on the way.
    std::uint32_t walkStretch(std::size_t p)
    {
        std::size_t e = p;
        while (e < n_ && isDigitSlot(s_[e]))
            ++e;
        if (e < n_ && s_[e] == code128SlotFnc1)
            return walkStretchWithFnc1(p, e);
        stretchEnd_ = e;
        digitsOnly_ = true;
        return static_cast<std::uint32_t>(e - p);
    }

    // The same from the first FNC1 at `fnc1`: the walk takes every token up to the first
    // FNC1 at an odd offset, and each FNC1 before it counts one more.
    std::uint32_t walkStretchWithFnc1(std::size_t p, std::size_t fnc1)
    {
        std::size_t walkEnd = n_ + 1;  // past any position: the walk has not stopped
        std::uint32_t fnc1Taken = 0;
        std::size_t e = fnc1;
        while (e < n_ && s_[e] == code128SlotFnc1) {
            if (e < walkEnd) {
                if (((e - p) & 1) != 0)
                    walkEnd = e;
                else
                    ++fnc1Taken;
            }
            ++e;
            while (e < n_ && isDigitSlot(s_[e]))
                ++e;
        }
        stretchEnd_ = e;
        digitsOnly_ = false;
        runsFilled_ = false;
        return static_cast<std::uint32_t>((walkEnd < e ? walkEnd : e) - p) + fnc1Taken;
    }

    void fillDigitRuns(std::size_t p, std::size_t e)
    {
        if (runs_ == nullptr)
            runs_ = &digitRunScratch();
        if (runs_->size() < e)
            runs_->resize(e);
        std::uint32_t nextEven = 0;  // the run from the next position at an even offset
        std::uint32_t nextOdd = 0;   // and at an odd one, where only digits count
        for (std::size_t q = e; q-- > p;) {
            const bool digit = isDigitSlot(s_[q]);
            const std::uint32_t even = (digit ? 1 : 2) + nextOdd;
            nextOdd = digit ? 1 + nextEven : 0;
            nextEven = even;
            (*runs_)[q] = even;
        }
        runsFilled_ = true;
    }

    const Slots s_;
    const std::size_t n_;
    std::vector<std::uint32_t>* runs_ = nullptr;  // the thread's scratch, taken when first needed
    std::size_t stretchEnd_ = 0;                  // end of the stretch of digits and FNC1s last found
    bool digitsOnly_ = true;                      // it holds no FNC1
    bool runsFilled_ = false;                     // runs_ holds the runs of the rest of it
    std::size_t neededAt_ = 0;                    // the first control or lower-range character found
    bool neededKnown_ = false;
};

// ---- the walk -----------------------------------------------------------------------------

// More than one step writes at most: an FNC4 pair, a shift and the character, or an FNC4
// pair, the odd digit and code C.
constexpr std::size_t maxPerStep = 8;

constexpr std::uint8_t startValue(code_set s)
{
    return s == code_set::a ? code128_value::startA : s == code_set::b ? code128_value::startB : code128_value::startC;
}

// FNC4 is the code of the other set.
constexpr std::uint8_t fnc4In(code_set s) { return s == code_set::a ? code128_value::codeA : code128_value::codeB; }

// The walk over a message: start, data, code changes, check character and stop. The walk
// is a local object whose address is never handed out (the look-ahead is a separate one),
// so that once its small steps are inlined its state (position, code set, FNC4 latch,
// check sum and write position) lives in registers.
template <class Slots, class Sink>
class symbol_walk {
public:
    symbol_walk(Slots slots, std::size_t count, look_ahead<Slots>& ahead, Sink sink)
        : s_(slots), n_(count), ahead_(ahead), set_(ahead.startSet()), sink_{sink, startValue(set_)}
    {
    }

    Sink run()
    {
        sink_.makeRoom(maxPerStep);
        sink_.putStart();
        while (p_ < n_) {
            sink_.makeRoom(maxPerStep);
            if (set_ == code_set::c) {
                stretchInC();
                continue;
            }
            if (!latch_ && plainStretch())
                break;
            stepInAOrB();
        }
        sink_.makeRoom(2);
        sink_.putCheckAndStop();
        return sink_.sink;
    }

private:
    // Digit pairs and FNC1 stay in C; anything else leaves it for the set it needs.
    void stretchInC()
    {
        sink_.makeRoom(n_ - p_ + maxPerStep);
        // The pairs of a stretch of digits the look-ahead has found need no checks.
        const std::size_t pairsEnd = p_ + ((ahead_.knownDigitsEnd(p_) - p_) & ~std::size_t{1});
        for (; p_ < pairsEnd; p_ += 2)
            putPair(s_[p_], s_[p_ + 1]);
        while (p_ < n_) {
            const code128_slot first = s_[p_];
            if (first == code128SlotFnc1) {
                sink_.put(code128_value::fnc1);
                ++p_;
                continue;
            }
            const code128_slot second = p_ + 1 < n_ ? s_[p_ + 1] : code128_slot{0};
            if (!isDigitSlot(first) || !isDigitSlot(second)) {
                set_ = ahead_.firstNeededSet(p_);
                sink_.put(fnc4In(set_));  // code A or code B
                return;
            }
            putPair(first, second);
            p_ += 2;
        }
    }

    void putPair(code128_slot first, code128_slot second)
    {
        sink_.put(static_cast<std::uint8_t>((first - '0') * 10 + (second - '0')));
    }

    // The common stretch in A or B without the latch: characters of the current set that
    // take no code change, shift or FNC4, and digits whose run is too short for C, one
    // value each. True when it reaches the end of the message.
    bool plainStretch()
    {
        const bool inA = set_ == code_set::a;
        const std::uint8_t* const values = code128SlotTables.value[inA ? 0 : 1].data();
        const std::uint8_t stops = code128_flag_extended | (inA ? code128_flag_lower : code128_flag_control);
        const std::uint8_t looks = stops | code128_flag_digit | code128_flag_fnc1;
        sink_.makeRoom(n_ - p_ + maxPerStep);
        for (; p_ < n_; ++p_) {
            const code128_slot slot = s_[p_];
            const std::uint8_t flags = code128SlotTables.flags[slot];
            if ((flags & looks) != 0 && ((flags & stops) != 0 || ahead_.digitRun(p_) >= 4))
                return false;
            sink_.put(values[slot]);
        }
        return true;
    }

    // One step in A or B for what the plain stretch leaves: a move to C, a set change, or
    // one character with its shift and FNC4s.
    void stepInAOrB()
    {
        const code128_slot slot = s_[p_];
        const std::uint8_t flags = code128SlotTables.flags[slot];
        const bool inA = set_ == code_set::a;
        const std::uint32_t run = ahead_.digitRun(p_);
        if (run >= 4) {
            if (run % 2 == 1) {
                // The odd digit goes in this set first. Under the FNC4 latch a digit would be
                // read as an extended character, so the latch is closed before it.
                if (latch_ && (flags & code128_flag_digit) != 0)
                    unlatch();
                sink_.put(code128SlotTables.value[inA ? 0 : 1][slot]);
                ++p_;
            }
            sink_.put(code128_value::codeC);
            set_ = code_set::c;
            return;
        }
        // A character that belongs to the other set: a switch for two in a row, else a shift.
        const std::uint8_t other = inA ? code128_flag_lower : code128_flag_control;
        const bool shifted = (flags & other) != 0;
        if (shifted && p_ + 1 < n_ && (ahead_.flagsAt(p_ + 1) & other) != 0) {
            sink_.put(inA ? code128_value::codeB : code128_value::codeA);
            set_ = inA ? code_set::b : code_set::a;
            return;
        }
        // The character, with the FNC4 latch rules: an extended one takes FNC4 before it,
        // twice to latch when a run of them follows; any other closes the latch.
        if ((flags & code128_flag_extended) != 0) {
            if (!latch_) {
                sink_.put(fnc4In(set_));
                if (ahead_.extendedRun(p_)) {
                    sink_.put(fnc4In(set_));
                    latch_ = true;
                }
            }
        }
        else if (latch_) {
            unlatch();
        }
        if (shifted)
            sink_.put(code128_value::shift);
        sink_.put(code128SlotTables.value[inA != shifted ? 0 : 1][slot]);
        ++p_;
    }

    void unlatch()
    {
        sink_.put(fnc4In(set_));
        sink_.put(fnc4In(set_));
        latch_ = false;
    }

    const Slots s_;
    const std::size_t n_;
    look_ahead<Slots>& ahead_;
    std::size_t p_ = 0;
    code_set set_;
    bool latch_ = false;
    code128_summing_sink<Sink> sink_;
};

template <class Slots, class Sink>
void encodeSymbol(Slots s, std::size_t n, Sink& out)
{
    look_ahead<Slots> ahead(s, n);
    out = symbol_walk<Slots, Sink>(s, n, ahead, out).run();
}

// Room for the values of a message of `count` tokens in the common case; long or odd
// messages grow it as they go.
constexpr std::size_t expectedValues(std::size_t count) { return count + 16; }

template <class Slots>
void encodeFontText(Slots s, std::size_t count, std::string& text)
{
    code128_font_text_sink sink(text, expectedValues(count));
    encodeSymbol(s, count, sink);
    sink.close();
}

}  // namespace

void encodeCode128Values(const std::vector<code128_token>& tokens, std::vector<std::uint8_t>& values)
{
    code128_value_sink sink(values, expectedValues(tokens.size()));
    encodeSymbol(token_slots{tokens.data()}, tokens.size(), sink);
    sink.close();
}

std::vector<std::uint8_t> encodeCode128Values(const std::vector<code128_token>& tokens)
{
    std::vector<std::uint8_t> values;
    encodeCode128Values(tokens, values);
    return values;
}

void encodeCode128FontText(const std::vector<code128_token>& tokens, std::string& text)
{
    encodeFontText(token_slots{tokens.data()}, tokens.size(), text);
}

void encodeCode128FontText(const code128_slot* slots, std::size_t count, std::string& text)
{
    encodeFontText(stored_slots{slots}, count, text);
}

}  // namespace Kelbrin::Tallowlib
