#include "tallowlib/code128_values.hpp"

#include "tallowlib/code128_patterns.hpp"

#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>

namespace Kelbrin::Tallowlib {

namespace {

// ---- tokens -------------------------------------------------------------------------------

constexpr bool isDecimal(char c) { return c >= '0' && c <= '9'; }

constexpr code128_token dataToken(unsigned char code) { return code; }

// The escape starting at text[i] == '~': the token and the number of bytes it takes.
struct escape {
    code128_token token;
    std::size_t length;
};

escape readEscape(const char* text, std::size_t i, std::size_t length)
{
    constexpr escape literalTilde{dataToken('~'), 1};
    if (i + 1 >= length)
        return literalTilde;
    const char next = text[i + 1];
    if (next >= '@' && next <= 'Z')
        return {dataToken(static_cast<unsigned char>(next - '@')), 2};
    if (next >= '1' && next <= '4')
        return {static_cast<code128_token>((199 + (next - '1')) << 8), 2};
    if (next == 'd' && i + 4 < length && isDecimal(text[i + 2]) && isDecimal(text[i + 3]) && isDecimal(text[i + 4])) {
        const int code = (text[i + 2] - '0') * 100 + (text[i + 3] - '0') * 10 + (text[i + 4] - '0');
        if (code <= 255)
            return {dataToken(static_cast<unsigned char>(code)), 5};
    }
    return literalTilde;
}

// ---- token classes ------------------------------------------------------------------------

// What the encoder asks about a token, looked up once in a table instead of worked out by
// range tests: its value in set A and in set B and the classes it belongs to.
enum token_flag : std::uint8_t {
    flag_digit = 1,      // '0'..'9'
    flag_fnc1 = 2,       // FNC1 exactly
    flag_control = 4,    // a data character whose base (the code less 128 if extended) is below 32
    flag_lower = 8,      // a data character whose base is 96 or more
    flag_extended = 16,  // a data character of 128..255
};

struct token_class {
    // The value in set A and in set B (of the base for an extended character); 0 outside the set.
    std::array<std::uint8_t, 2> value;
    std::uint8_t flags;
    std::uint8_t unused;  // four bytes an entry
};

// Slots 0..255 hold the data characters, 256..259 FNC1..FNC4. A function number that is
// none of FNC1..FNC3 is taken as FNC4.
constexpr std::size_t slotCount = 260;

constexpr std::size_t slotOf(code128_token t)
{
    if (t <= 0xFF)
        return t;
    return t == code128_fnc1 ? 256 : t == code128_fnc2 ? 257 : t == code128_fnc3 ? 258 : 259;
}

constexpr std::uint8_t valueInA(int base) { return static_cast<std::uint8_t>(base < 32 ? base + 64 : base <= 95 ? base - 32 : 0); }
constexpr std::uint8_t valueInB(int base) { return static_cast<std::uint8_t>(base >= 32 && base <= 127 ? base - 32 : 0); }

constexpr auto tokenClasses = [] {
    std::array<token_class, slotCount> table{};
    for (int code = 0; code <= 0xFF; ++code) {
        const int base = code >= 128 ? code - 128 : code;
        std::uint8_t flags = 0;
        if (code >= '0' && code <= '9')
            flags |= flag_digit;
        if (base < 32)
            flags |= flag_control;
        if (base >= 96)
            flags |= flag_lower;
        if (code >= 128)
            flags |= flag_extended;
        table[static_cast<std::size_t>(code)] = {{valueInA(base), valueInB(base)}, flags, 0};
    }
    table[256] = {{code128_value::fnc1, code128_value::fnc1}, flag_fnc1, 0};
    table[257] = {{97, 97}, 0, 0};                                        // FNC2
    table[258] = {{96, 96}, 0, 0};                                        // FNC3
    table[259] = {{code128_value::codeA, code128_value::codeB}, 0, 0};  // FNC4: the code of the other set
    return table;
}();

static_assert(tokenClasses['A'].value[0] == 33 && tokenClasses['A'].value[1] == 33);
static_assert(tokenClasses[1].value[0] == 65 && tokenClasses[1].value[1] == 0);
static_assert(tokenClasses[0xE1].value[1] == 65 && tokenClasses[0xE1].flags == (flag_lower | flag_extended));

const token_class& classOf(code128_token t) { return tokenClasses[slotOf(t)]; }

// The values of the table above by set, for loops that stay in one set.
constexpr auto valuesInSet = [] {
    std::array<std::array<std::uint8_t, slotCount>, 2> table{};
    for (std::size_t slot = 0; slot < slotCount; ++slot)
        for (std::size_t set = 0; set < 2; ++set)
            table[set][slot] = tokenClasses[slot].value[set];
    return table;
}();

constexpr bool isDigitToken(code128_token t) { return static_cast<unsigned>(t - '0') < 10; }

enum class code_set { a, b, c };

// ---- look-ahead ---------------------------------------------------------------------------

// Scratch kept from call to call on each thread: the digit runs of the look-ahead.
std::vector<std::uint32_t>& digitRunScratch()
{
    thread_local std::vector<std::uint32_t> runs;
    return runs;
}

// What the encoder asks about the tokens ahead of it. Positions asked about only move
// forwards, so every answer is worked out once for a stretch and kept: no question walks
// the rest of the message again.
class look_ahead {
public:
    look_ahead(const code128_token* tokens, std::size_t count)
        : t_(tokens), n_(count)
    {
    }

    std::uint8_t flagsAt(std::size_t p) const { return classOf(t_[p]).flags; }

    // Digit run at p, walked from p with p at offset 0: a digit counts one, an FNC1 at an
    // even offset two; anything else, or an FNC1 at an odd offset, ends it. The stretch of
    // digits and FNC1s around p is found the first time a position in it is asked about;
    // in a stretch of digits alone the run is the distance to its end, otherwise the runs
    // of the stretch are worked out backwards from its end, once.
    std::uint32_t digitRun(std::size_t p)
    {
        if ((flagsAt(p) & (flag_digit | flag_fnc1)) == 0)
            return 0;
        if (p >= runsEnd_)
            findStretch(p);
        return digitsOnly_ ? static_cast<std::uint32_t>(runsEnd_ - p) : (*runs_)[p];
    }

    // The set of the first character from p that needs A or B; B when none does. Function
    // characters and characters of the shared range 32..95 are passed over. The position
    // found is kept: until p passes it, the answer stays the same.
    code_set firstNeededSet(std::size_t p)
    {
        if (!neededKnown_ || p > neededAt_) {
            std::size_t q = p;
            while (q < n_ && (flagsAt(q) & (flag_control | flag_lower)) == 0)
                ++q;
            neededAt_ = q;
            neededKnown_ = true;
        }
        if (neededAt_ == n_)
            return code_set::b;
        return (flagsAt(neededAt_) & flag_control) != 0 ? code_set::a : code_set::b;
    }

    // Worth latching FNC4: three extended characters end the message, or five follow.
    bool extendedRun(std::size_t p) const
    {
        const std::size_t left = n_ - p;
        const std::size_t needed = left == 3 ? 3 : left >= 5 ? 5 : 0;
        if (needed == 0)
            return false;
        for (std::size_t k = 0; k < needed; ++k)
            if ((flagsAt(p + k) & flag_extended) == 0)
                return false;
        return true;
    }

    code_set startSet()
    {
        if (n_ == 0)
            return code_set::b;
        if (n_ == 2 && (flagsAt(0) & flagsAt(1) & flag_digit) != 0)
            return code_set::c;
        if (digitRun(0) >= 4)
            return code_set::c;
        return firstNeededSet(0);
    }

private:
    void findStretch(std::size_t p)
    {
        std::size_t e = p;
        bool fnc1 = false;
        for (; e < n_; ++e) {
            if (isDigitToken(t_[e]))
                continue;
            if (t_[e] != code128_fnc1)
                break;
            fnc1 = true;
        }
        runsEnd_ = e;
        digitsOnly_ = !fnc1;
        if (fnc1)
            fillDigitRuns(p, e);
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
            const bool digit = isDigitToken(t_[q]);
            const std::uint32_t even = (digit ? 1 : 2) + nextOdd;
            nextOdd = digit ? 1 + nextEven : 0;
            nextEven = even;
            (*runs_)[q] = even;
        }
    }

    const code128_token* const t_;
    const std::size_t n_;
    std::vector<std::uint32_t>* runs_ = nullptr;  // the thread's scratch, taken when first needed
    std::size_t runsEnd_ = 0;  // end of the stretch of digits and FNC1s last found
    bool digitsOnly_ = true;   // it holds no FNC1; otherwise runs_ holds its runs
    std::size_t neededAt_ = 0; // the first control or lower-range character found
    bool neededKnown_ = false;
};

// ---- where the values go ------------------------------------------------------------------

// Both sinks write through a pointer into storage that is grown, before each step, to hold
// the most one step writes. They are copied into the encoding loop, so that the pointer
// lives in a register there, and handed back when it is done.

// Storage grown to hold `count` more elements after `w`: the new write position and end. The
// sinks' own addresses are never handed out, so their pointers can stay in registers.
template <class Storage, class Element>
std::pair<Element*, Element*> grown(Storage& storage, Element* w, std::size_t count)
{
    const std::size_t written = static_cast<std::size_t>(w - storage.data());
    storage.resize(storage.size() * 2 + count);
    return {storage.data() + written, storage.data() + storage.size()};
}

// Symbol values, into a vector.
class value_sink {
public:
    value_sink(std::vector<std::uint8_t>& values, std::size_t expected) : out_(&values)
    {
        values.resize(expected);
        w_ = values.data();
        end_ = w_ + values.size();
    }

    void makeRoom(std::size_t count)
    {
        if (static_cast<std::size_t>(end_ - w_) < count)
            std::tie(w_, end_) = grown(*out_, w_, count);
    }

    void put(std::uint8_t v) { *w_++ = v; }

    void close() { out_->resize(static_cast<std::size_t>(w_ - out_->data())); }

private:
    std::vector<std::uint8_t>* out_;
    std::uint8_t* w_;
    std::uint8_t* end_;
};

// The width characters of the values, into a string: each value's whole 8-byte entry is
// copied and the end moved on by its length, so a value takes 8 bytes of room.
class font_text_sink {
public:
    font_text_sink(std::string& text, std::size_t expected) : out_(&text)
    {
        text.resize(expected * glyphBytes);
        w_ = text.data();
        end_ = w_ + text.size();
    }

    void makeRoom(std::size_t count)
    {
        if (static_cast<std::size_t>(end_ - w_) < count * glyphBytes)
            std::tie(w_, end_) = grown(*out_, w_, count * glyphBytes);
    }

    void put(std::uint8_t v)
    {
        const code128_value_font_text& glyphs = code128_value_font_texts[v];
        std::memcpy(w_, glyphs.data(), glyphBytes);
        w_ += glyphs[glyphBytes - 1];
    }

    void close() { out_->resize(static_cast<std::size_t>(w_ - out_->data())); }

private:
    static constexpr std::size_t glyphBytes = sizeof(code128_value_font_text);

    std::string* out_;
    char* w_;
    char* end_;
};

// ---- value encoding -----------------------------------------------------------------------

// More than one step writes at most: an FNC4 pair, a shift and the character, or an FNC4
// pair, the odd digit and code C.
constexpr std::size_t maxPerStep = 8;

constexpr std::uint8_t startValue(code_set s)
{
    return s == code_set::a ? code128_value::startA : s == code_set::b ? code128_value::startB : code128_value::startC;
}

// FNC4 is the code of the other set.
constexpr std::uint8_t fnc4In(code_set s) { return s == code_set::a ? code128_value::codeA : code128_value::codeB; }

// Start, data, code changes, check character and stop, written into `sink`. The state of
// the walk (position, code set, FNC4 latch, running check sum) is kept in locals.
// A sink with the running check sum, which weighs the start character and the first one after
// it by 1, then 2, 3... For the values v1..vm after the start, with S the sum of all of them
// and T the sum of their running sums, the weighted sum is (m + 1) * S - T: two additions a
// value instead of a multiplication.
template <class Sink>
struct summing_sink {
    Sink sink;
    std::uint64_t start;
    std::uint64_t count = 0;
    std::uint64_t sum = 0;
    std::uint64_t sumOfSums = 0;

    void makeRoom(std::size_t values) { sink.makeRoom(values); }
    void put(std::uint8_t v)
    {
        sink.put(v);
        sum += v;
        sumOfSums += sum;
        ++count;
    }
    void closeWithCheck()
    {
        const std::uint64_t weighted = start + (count + 1) * sum - sumOfSums;
        sink.put(static_cast<std::uint8_t>(weighted % 103));
        sink.put(code128_value::stop);
    }
};

template <class Sink>
void encodeSymbol(const code128_token* t, std::size_t n, Sink& out)
{
    look_ahead ahead(t, n);
    code_set set = ahead.startSet();
    bool latch = false;
    std::size_t p = 0;
    summing_sink<Sink> sink{out, startValue(set)};
    sink.makeRoom(maxPerStep);
    sink.sink.put(startValue(set));

    while (p < n) {
        sink.makeRoom(maxPerStep);
        if (set == code_set::c) {
            // Digit pairs and FNC1 stay in C; anything else leaves it for the set it needs.
            sink.makeRoom(n - p + maxPerStep);
            while (p < n) {
                if (t[p] == code128_fnc1) {
                    sink.put(code128_value::fnc1);
                    ++p;
                }
                else if (p + 1 < n && isDigitToken(t[p]) && isDigitToken(t[p + 1])) {
                    sink.put(static_cast<std::uint8_t>((t[p] - '0') * 10 + (t[p + 1] - '0')));
                    p += 2;
                }
                else {
                    set = ahead.firstNeededSet(p);
                    sink.put(fnc4In(set));  // code A or code B
                    break;
                }
            }
            continue;
        }

        const bool inA = set == code_set::a;
        if (!latch) {
            // The common stretch: characters of the current set that take no code change,
            // shift or FNC4, and digits whose run is too short for C, one value each.
            const std::uint8_t stops = flag_extended | (inA ? flag_lower : flag_control);
            const std::uint8_t looks = stops | flag_digit | flag_fnc1;
            const std::uint8_t* const values = valuesInSet[inA ? 0 : 1].data();
            sink.makeRoom(n - p + maxPerStep);
            for (; p < n; ++p) {
                const std::size_t slot = slotOf(t[p]);
                const std::uint8_t flags = tokenClasses[slot].flags;
                if ((flags & looks) != 0 && ((flags & stops) != 0 || ahead.digitRun(p) >= 4))
                    break;
                sink.put(values[slot]);
            }
            if (p == n)
                break;
        }

        const token_class& k = classOf(t[p]);
        if ((k.flags & (flag_digit | flag_fnc1)) != 0) {
            const std::uint32_t run = ahead.digitRun(p);
            if (run >= 4) {
                if (run % 2 == 1) {
                    // The odd digit goes in this set first. Under the FNC4 latch a digit would
                    // be read as an extended character, so the latch is closed before it.
                    if (latch && (k.flags & flag_digit) != 0)
                        {
                        sink.put(fnc4In(set));
                        sink.put(fnc4In(set));
                        latch = false;
                    }
                    sink.put(k.value[inA ? 0 : 1]);
                    ++p;
                }
                sink.put(code128_value::codeC);
                set = code_set::c;
                continue;
            }
        }

        // A character that belongs to the other set: a switch for two in a row, else a shift.
        const std::uint8_t other = inA ? flag_lower : flag_control;
        const bool shifted = (k.flags & other) != 0;
        if (shifted && p + 1 < n && (ahead.flagsAt(p + 1) & other) != 0) {
            sink.put(inA ? code128_value::codeB : code128_value::codeA);
            set = inA ? code_set::b : code_set::a;
            continue;
        }
        // The character, with the FNC4 latch rules: an extended one takes FNC4 before it,
        // twice to latch when a run of them follows; any other closes the latch.
        if ((k.flags & flag_extended) != 0) {
            if (!latch) {
                sink.put(fnc4In(set));
                if (ahead.extendedRun(p)) {
                    sink.put(fnc4In(set));
                    latch = true;
                }
            }
        }
        else if (latch) {
            sink.put(fnc4In(set));
            sink.put(fnc4In(set));
            latch = false;
        }
        if (shifted)
            sink.put(code128_value::shift);
        sink.put(k.value[inA != shifted ? 0 : 1]);
        ++p;
    }

    sink.makeRoom(2);
    sink.closeWithCheck();
    out = sink.sink;
}

}  // namespace

void tokenizeCode128(const char* text, std::size_t length, std::vector<code128_token>& tokens)
{
    tokens.clear();
    if (text == nullptr)
        return;
    // At most one token per byte: written in place, then cut to the count. The bytes up to
    // the next "~" are data characters, widened as one block.
    tokens.resize(length);
    code128_token* const out = tokens.data();
    std::size_t count = 0;
    for (std::size_t i = 0; i < length;) {
        const void* tilde = std::memchr(text + i, '~', length - i);
        const std::size_t plainEnd = tilde == nullptr ? length : static_cast<std::size_t>(static_cast<const char*>(tilde) - text);
        const auto* const bytes = reinterpret_cast<const unsigned char*>(text) + i;
        code128_token* const to = out + count;
        const std::size_t size = plainEnd - i;
        for (std::size_t k = 0; k < size; ++k)
            to[k] = bytes[k];
        count += size;
        i = plainEnd;
        if (i == length)
            break;
        const escape e = readEscape(text, i, length);
        out[count++] = e.token;
        i += e.length;
    }
    tokens.resize(count);
}

std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length)
{
    std::vector<code128_token> tokens;
    tokenizeCode128(text, length, tokens);
    return tokens;
}

void encodeCode128Values(const std::vector<code128_token>& tokens, std::vector<std::uint8_t>& values)
{
    value_sink sink(values, tokens.size() + 16);
    encodeSymbol(tokens.data(), tokens.size(), sink);
    sink.close();
}

void encodeCode128FontText(const std::vector<code128_token>& tokens, std::string& text)
{
    font_text_sink sink(text, tokens.size() + 16);
    encodeSymbol(tokens.data(), tokens.size(), sink);
    sink.close();
}

std::vector<std::uint8_t> encodeCode128Values(const std::vector<code128_token>& tokens)
{
    std::vector<std::uint8_t> values;
    encodeCode128Values(tokens, values);
    return values;
}

}  // namespace Kelbrin::Tallowlib
