// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded symbol characters: value groups, finder patterns and sequences, the
// checksum weights and the check character.
#include "expanded/databar_expanded.hpp"
#include "databar/databar_widths.hpp"
#include "databar/databar_width_search.hpp"
#include "trace.hpp"

#include <cstdint>

namespace Kelbrin::Tallowlib::detail {

namespace {

struct expanded_group {
    int first;
    int last;
    int oddModules;
    int oddWidest;
    int evenModules;
    int evenWidest;
    int divisor;  // number of even combinations
};

constexpr std::array<expanded_group, 5> groups = {{
    {0, 347, 12, 7, 5, 2, 4},
    {348, 1387, 10, 5, 7, 4, 20},
    {1388, 2947, 8, 4, 9, 5, 52},
    {2948, 3987, 6, 3, 11, 6, 104},
    {3988, 4191, 4, 1, 13, 8, 204},
}};

// A group's values split into odd and even combination by a multiplication rather than a
// division, which costs much more: v / divisor is v times ceil(2^32 / divisor), shifted down
// 32 bits, exactly for every value of the group (checked below).
constexpr auto reciprocals = [] {
    std::array<std::uint64_t, groups.size()> r{};
    for (std::size_t i = 0; i < groups.size(); ++i)
        r[i] = ((std::uint64_t{1} << 32) + static_cast<std::uint64_t>(groups[i].divisor) - 1) /
               static_cast<std::uint64_t>(groups[i].divisor);
    return r;
}();

constexpr int quotient(int v, std::size_t group)
{
    return static_cast<int>((static_cast<std::uint64_t>(v) * reciprocals[group]) >> 32);
}

static_assert([] {
    for (std::size_t i = 0; i < groups.size(); ++i)
        for (int v = 0; v <= groups[i].last - groups[i].first; ++v)
            if (quotient(v, i) != v / groups[i].divisor)
                return false;
    return true;
}());

// Odd and even widths of every combination a group uses, looked up instead of derived per
// character: the odd combinations of all groups one after another, then the even ones.
constexpr int oddCombinations(const expanded_group& g) { return (g.last - g.first + 1) / g.divisor; }

constexpr std::array<int, 5> combinationOffsets(bool odd)
{
    std::array<int, 5> offsets{};
    int next = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        offsets[i] = next;
        next += odd ? oddCombinations(groups[i]) : groups[i].divisor;
    }
    return offsets;
}

constexpr std::array<int, 5> oddOffsets = combinationOffsets(true);
constexpr std::array<int, 5> evenOffsets = combinationOffsets(false);
constexpr int oddTableSize = oddOffsets.back() + oddCombinations(groups.back());
constexpr int evenTableSize = evenOffsets.back() + groups.back().divisor;

// 3^i mod 211 for the eight elements of a character.
constexpr std::array<int, 8> powersOfThree = {1, 3, 9, 27, 81, 32, 96, 77};

// The four odd (or even) widths of one combination and their share of the checksum sum:
// odd widths sit at elements 0, 2, 4, 6 of a character, even widths at 1, 3, 5, 7.
struct four_widths {
    std::array<std::uint8_t, 4> widths{};
    int powerSum = 0;  // modulo 211
};

constexpr four_widths combination(std::int64_t value, int modules, int widest, bool even)
{
    const parity_widths w = searchWidths(value, modules, 4, widest, even);
    four_widths out;
    for (std::size_t i = 0; i < 4; ++i) {
        out.widths[i] = static_cast<std::uint8_t>(w[i]);
        out.powerSum += powersOfThree[2 * i + (even ? 1 : 0)] * w[i];
    }
    out.powerSum %= 211;
    return out;
}

struct character_width_tables {
    std::array<four_widths, oddTableSize> odd{};
    std::array<four_widths, evenTableSize> even{};
};

// Built at compile time: every combination of every group.
constexpr character_width_tables characterWidthTables = [] {
    character_width_tables t;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const expanded_group& g = groups[i];
        for (int v = 0; v < oddCombinations(g); ++v)
            t.odd[static_cast<std::size_t>(oddOffsets[i] + v)] = combination(v, g.oddModules, g.oddWidest, false);
        for (int v = 0; v < g.divisor; ++v)
            t.even[static_cast<std::size_t>(evenOffsets[i] + v)] = combination(v, g.evenModules, g.evenWidest, true);
    }
    return t;
}();

// The three distinctive widths of each finder pattern A..F (form 1 adds 1, 1).
constexpr std::array<std::array<int, 3>, 6> finderWidths = {{
    {1, 8, 4}, {3, 6, 4}, {3, 4, 6}, {3, 2, 8}, {2, 6, 5}, {2, 2, 9},
}};

constexpr int A = 0, B = 1, C = 2, D = 3, E = 4, F = 5;
constexpr finder_use f1(int p) { return {p, false}; }
constexpr finder_use f2(int p) { return {p, true}; }

constexpr std::array<std::array<finder_use, 11>, 10> finderSequences = {{
    {f1(A), f2(A)},
    {f1(A), f2(B), f1(B)},
    {f1(A), f2(C), f1(B), f2(D)},
    {f1(A), f2(E), f1(B), f2(D), f1(C)},
    {f1(A), f2(E), f1(B), f2(D), f1(D), f2(F)},
    {f1(A), f2(E), f1(B), f2(D), f1(E), f2(F), f1(F)},
    {f1(A), f2(A), f1(B), f2(B), f1(C), f2(C), f1(D), f2(D)},
    {f1(A), f2(A), f1(B), f2(B), f1(C), f2(C), f1(D), f2(E), f1(E)},
    {f1(A), f2(A), f1(B), f2(B), f1(C), f2(C), f1(D), f2(E), f1(F), f2(F)},
    {f1(A), f2(A), f1(B), f2(B), f1(C), f2(D), f1(D), f2(E), f1(E), f2(F), f1(F)},
}};

// Start weights of the characters beside each finder form: {left, right}, indexed by
// pattern * 2 + (form 2 ? 1 : 0).
constexpr std::array<std::array<int, 2>, 12> startWeights = {{
    {0, 1}, {20, 189}, {193, 62}, {185, 113}, {150, 46}, {76, 43},
    {16, 109}, {70, 134}, {148, 6}, {120, 79}, {103, 161}, {55, 45},
}};

// The weights are residues modulo 211 already, as the symbol loop takes them.
static_assert([] {
    for (const auto& pair : startWeights)
        for (int w : pair)
            if (w < 0 || w >= 211)
                return false;
    return true;
}());

constexpr int weightIndex(finder_use f) { return f.pattern * 2 + (f.mirrored ? 1 : 0); }

// The five widths of every finder form, indexed like startWeights: form 1 is the three
// distinctive widths then 1, 1; form 2 is its mirror image.
constexpr auto finderForms = [] {
    std::array<std::array<int, 5>, 12> out{};
    for (std::size_t p = 0; p < finderWidths.size(); ++p) {
        const auto& w = finderWidths[p];
        const std::array<int, 5> form1 = {w[0], w[1], w[2], 1, 1};
        for (std::size_t i = 0; i < 5; ++i) {
            out[2 * p][i] = form1[i];
            out[2 * p + 1][i] = form1[4 - i];
        }
    }
    return out;
}();

void writeFinder(finder_use f, int* out)
{
    const auto& form = finderForms[static_cast<std::size_t>(weightIndex(f))];
    for (std::size_t i = 0; i < form.size(); ++i)
        out[i] = form[i];
}

// The widths of one symbol character and the checksum with its weights added, not yet
// taken modulo 211 (see expandedCharacterWidths), inlined into the symbol loop; the weight
// is taken modulo 211. The symbol loop reduces its sum once: at most 22 characters, each
// adding less than 211 * 211, fit an int many times over.
inline int characterWidths(int value, int reducedWeight, int checksum, bool leftToRight, int* widths)
{
    // Values outside every group never happen for 12-bit values and check characters;
    // they take the first value of the last group.
    std::size_t gi = groups.size() - 1;
    if (value < groups.front().first || value > groups.back().last)
        value = groups.back().first;
    else
        gi = static_cast<std::size_t>((value > groups[0].last) + (value > groups[1].last) + (value > groups[2].last) +
                                      (value > groups[3].last));
    const expanded_group& g = groups[gi];
    const int v = value - g.first;
    const int q = quotient(v, gi);
    const four_widths& odd = characterWidthTables.odd[static_cast<std::size_t>(oddOffsets[gi] + q)];
    const four_widths& even = characterWidthTables.even[static_cast<std::size_t>(evenOffsets[gi] + v - q * g.divisor)];
    // Element i is the odd width i / 2 or the even width i / 2 in turn; mirrored, element i
    // is element 7 - i, so even widths come first.
    const auto& first = leftToRight ? odd.widths : even.widths;
    const auto& second = leftToRight ? even.widths : odd.widths;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t k = leftToRight ? i : 3 - i;
        widths[2 * i] = first[k];
        widths[2 * i + 1] = second[k];
    }
    // Element i weighs weight * 3^i (mod 211): one sum of the widths times the powers of 3,
    // then the character's weight (already reduced modulo 211).
    const int sum = odd.powerSum + even.powerSum;
    const int powerSum = sum >= 211 ? sum - 211 : sum;
    return checksum + reducedWeight * powerSum;
}

constexpr trace_site dataErrorSite{"Kelbrin::Tallowlib::detail::RSS14Eenc", 179, "[rss-detail]", 40000};

}  // namespace

const finder_use* finderSequence(int finders)
{
    if (finders < 2 || finders > 11)
        return nullptr;
    return finderSequences[static_cast<std::size_t>(finders - 2)].data();
}

int expandedCharacterWidths(int value, int weight, int checksum, bool leftToRight, int* widths)
{
    return characterWidths(value, weight % 211, checksum, leftToRight, widths) % 211;
}

int RSS14Eenc(const char* dataString, expanded_widths& widths, int linkage, int segmentsPerRow, int* bits)
{
    bit_field field{};
    putBits(field, 0, 1, static_cast<unsigned>(linkage & 1));
    const int n = pack(dataString, field, segmentsPerRow, bits);
    if (n < 0) {
        trace(dataErrorSite, "\ndata error");
        return 0;
    }
    fillVariableLengthField(field, n);

    const int finders = (n + 2) / 2;
    const finder_use* sequence = finderSequence(finders);
    int checksum = 0;
    for (int p = 0; p < finders; ++p) {
        const finder_use g = sequence[p];
        int* pair = widths.data() + pairElements * p;
        const auto& weights = startWeights[static_cast<std::size_t>(weightIndex(g))];
        if (p >= 1)
            checksum = characterWidths(static_cast<int>(dataCharacter(field, 2 * p - 1)), weights[0],
                                               checksum, true, pair);
        writeFinder(g, pair + 8);
        if (2 * p < n)
            checksum = characterWidths(static_cast<int>(dataCharacter(field, 2 * p)), weights[1],
                                               checksum, false, pair + 13);
    }
    int unused = 0;
    characterWidths(211 * (n - 3) + checksum % 211, 0, unused, true, widths.data());
    return n + 1;
}

}  // namespace Kelbrin::Tallowlib::detail
