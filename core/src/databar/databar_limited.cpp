#include "databar/databar_limited.hpp"

#include "databar/databar14.hpp"
#include "databar/databar_widths.hpp"
#include "tallowlib/errors.hpp"

#include "databar/databar_width_search.hpp"

#include <array>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::uint64_t leftRightDivisor = 2013571;
constexpr int elementsPerParity = 7;
constexpr int checksumModulus = 89;

constexpr std::array<data_character_group, 7> limitedGroups = {{
    {0, 183063, 17, 9, 6, 3, 6538, 28},
    {183064, 820063, 13, 13, 5, 4, 875, 728},
    {820064, 1000775, 9, 17, 3, 6, 28, 6454},
    {1000776, 1491020, 15, 11, 5, 4, 2415, 203},
    {1491021, 1979844, 11, 15, 4, 5, 203, 2408},
    {1979845, 1996938, 19, 7, 8, 1, 17094, 1},
    {1996939, 2013570, 7, 19, 1, 8, 1, 16632},
}};

constexpr std::array<std::string_view, checksumModulus> checkPatterns = {
    "11111111113311", "11111111123211", "11111111133111", "11111112113211", "11111112123111",
    "11111113113111", "11111211113211", "11111211123111", "11111212113111", "11111311113111",
    "11121111113211", "11121111123111", "11121112113111", "11121211113111", "11131111113111",
    "12111111113211", "12111111123111", "12111112113111", "12111211113111", "12121111113111",
    "13111111113111", "11111111212311", "11111111222211", "11111111232111", "11111112212211",
    "11111112222111", "11111113212111", "11111211212211", "11111211222111", "11111212212111",
    "11111311212111", "11121111212211", "11121111222111", "11121112212111", "11121211212111",
    "11131111212111", "12111111212211", "12111111222111", "12111112212111", "12111211212111",
    "12121111212111", "13111111212111", "11111111311311", "11111111321211", "11111112311211",
    "11121111311211", "12111111311211", "11111121112311", "11111121122211", "11111121132111",
    "11111122112211", "11121121112211", "11121121122111", "11121122112111", "11121221112111",
    "11131121112111", "12111121112211", "12111121122111", "12121121112111", "11112111112311",
    "11112111122211", "11112111132111", "11112112112211", "11112112122111", "11112211112211",
    "12112111112211", "12112111122111", "12112112112111", "12112211112111", "12122111112111",
    "13112111112111", "11211111112311", "11211111122211", "11211111132111", "11211112112211",
    "11211112122111", "11211113112111", "11211211112211", "11211211122111", "11221111112211",
    "21111111122211", "21111111132111", "21111112112211", "21111112122111", "21111113112111",
    "21111211122111", "21111212112111", "21121111122111", "21111111221211",
};

constexpr std::array<int, 28> checksumWeights = [] {
    std::array<int, 28> w{};
    int p = 1;
    for (auto& x : w) {
        x = p;
        p = p * 3 % checksumModulus;
    }
    return w;
}();

bool indicatorAllowed(char indicator) { return indicator == '0' || indicator == '1'; }

// Every group's range holds exactly its odd and even combinations, so a value of the group
// always splits into an odd and an even combination number within their counts.
constexpr bool groupsAreContiguousAndFull()
{
    std::int64_t next = 0;
    for (const auto& g : limitedGroups) {
        if (g.min != next || static_cast<std::int64_t>(g.max) - g.min + 1 != std::int64_t{g.n_odd} * g.n_even)
            return false;
        next = static_cast<std::int64_t>(g.max) + 1;
    }
    return next == static_cast<std::int64_t>(leftRightDivisor);
}
static_assert(groupsAreContiguousAndFull());

// The seven widths of one parity of a data character, a nibble each, the first in the low
// nibble.
using packed_widths = std::uint32_t;

constexpr packed_widths pack(const parity_widths& widths)
{
    packed_widths packed = 0;
    for (int k = elementsPerParity; k-- > 0;)
        packed = packed << 4 | static_cast<packed_widths>(widths[static_cast<std::size_t>(k)]);
    return packed;
}

constexpr int widthAt(packed_widths widths, int k) { return static_cast<int>(widths >> (4 * k) & 0xfu); }

// One parity of one group: how many width sets it has and how they are built. Both data
// characters of the symbol are outside characters: the odd elements have no narrow-element
// rule, the even ones must hold a narrow element.
struct parity {
    int modules;
    int widest;
    std::int32_t count;
    bool noNarrow;
};

constexpr std::size_t parityCount = 2 * limitedGroups.size();

// Group g's odd parity is number 2g, its even parity 2g + 1.
constexpr std::array<parity, parityCount> parities = [] {
    std::array<parity, parityCount> p{};
    for (std::size_t g = 0; g < limitedGroups.size(); ++g) {
        const data_character_group& group = limitedGroups[g];
        p[2 * g] = {group.odd_modules, group.widest_odd, group.n_odd, true};
        p[2 * g + 1] = {group.even_modules, group.widest_even, group.n_even, false};
    }
    return p;
}();

// Parities with at most this many width sets (6,890 sets in all) are tabulated at compile
// time; the four with six to seventeen thousand keep a search, its counts worked out
// beforehand.
constexpr std::int32_t tabulatedLimit = 2415;

constexpr bool isTabulated(const parity& p) { return p.count <= tabulatedLimit; }

constexpr std::size_t tabulatedSetCount = [] {
    std::size_t n = 0;
    for (const parity& p : parities)
        n += isTabulated(p) ? static_cast<std::size_t>(p.count) : 0;
    return n;
}();
static_assert(tabulatedSetCount == 6890);

constexpr std::size_t searchedParityCount = [] {
    std::size_t n = 0;
    for (const parity& p : parities)
        n += isTabulated(p) ? 0 : 1;
    return n;
}();
static_assert(searchedParityCount == 4);

// Where each parity's widths come from: its first set in tabulatedSets, or its search in
// paritySearches (-1 where the other applies).
struct parity_source {
    std::int32_t firstSet = -1;
    std::int32_t search = -1;
};

constexpr std::array<parity_source, parityCount> paritySources = [] {
    std::array<parity_source, parityCount> sources{};
    std::int32_t nextSet = 0;
    std::int32_t nextSearch = 0;
    for (std::size_t i = 0; i < parityCount; ++i) {
        if (isTabulated(parities[i])) {
            sources[i].firstSet = nextSet;
            nextSet += parities[i].count;
        } else {
            sources[i].search = nextSearch++;
        }
    }
    return sources;
}();

// The width sets of the tabulated parities, straight from the width search.
constexpr std::array<packed_widths, tabulatedSetCount> tabulatedSets = [] {
    std::array<packed_widths, tabulatedSetCount> sets{};
    std::size_t next = 0;
    for (const parity& p : parities) {
        if (!isTabulated(p))
            continue;
        for (std::int32_t v = 0; v < p.count; ++v)
            sets[next++] = pack(detail::searchWidths(v, p.modules, elementsPerParity, p.widest, p.noNarrow));
    }
    return sets;
}();

// Every tabulated set spreads its parity's modules over seven elements of 1 to its widest.
constexpr bool tabulatedSetsFitTheirParities()
{
    std::size_t next = 0;
    for (const parity& p : parities) {
        for (std::int32_t v = 0; isTabulated(p) && v < p.count; ++v) {
            int modules = 0;
            for (int k = 0; k < elementsPerParity; ++k) {
                const int w = widthAt(tabulatedSets[next], k);
                if (w < 1 || w > p.widest)
                    return false;
                modules += w;
            }
            if (modules != p.modules || tabulatedSets[next] >> (4 * elementsPerParity) != 0)
                return false;
            ++next;
        }
    }
    return next == tabulatedSetCount;
}
static_assert(tabulatedSetsFitTheirParities());

constexpr detail::stepped_width_search searchOf(std::size_t searchNumber)
{
    for (std::size_t i = 0; i < parityCount; ++i)
        if (paritySources[i].search == static_cast<std::int32_t>(searchNumber)) {
            const parity& p = parities[i];
            return {p.modules, elementsPerParity, p.widest, p.noNarrow};
        }
    throw std::logic_error("no parity with this search");
}

template <std::size_t... Search>
constexpr auto searchesOf(std::index_sequence<Search...>)
{
    return std::array<detail::stepped_width_search, sizeof...(Search)>{searchOf(Search)...};
}

constexpr auto parityWidthSearches = searchesOf(std::make_index_sequence<searchedParityCount>());

// The widths of combination `value` (0 <= value < count) of parity `p`.
packed_widths parityWidths(std::size_t p, std::int64_t value)
{
    const parity_source& source = paritySources[p];
    if (source.firstSet >= 0)
        return tabulatedSets[static_cast<std::size_t>(source.firstSet + value)];
    return pack(parityWidthSearches[static_cast<std::size_t>(source.search)].widths(value));
}

struct character_widths {
    packed_widths odd;
    packed_widths even;
};

// The widths of one data character, as dataCharacterWidths works them out for an outside
// character of the Limited groups.
character_widths dataCharacter(std::int64_t value)
{
    std::size_t g = 0;
    while (g < limitedGroups.size() && value > limitedGroups[g].max)
        ++g;
    if (value < 0 || g == limitedGroups.size())
        throw std::out_of_range("data character value outside its groups");
    const data_character_group& group = limitedGroups[g];
    const std::int64_t r = value - group.min;
    return {parityWidths(2 * g, r / group.n_even), parityWidths(2 * g + 1, r % group.n_even)};
}

// The character's part of the checksum, its widths weighted from weight number `firstWeight` on.
int weightedSum(character_widths c, std::size_t firstWeight)
{
    int sum = 0;
    for (int k = 0; k < elementsPerParity; ++k) {
        const std::size_t at = firstWeight + 2 * static_cast<std::size_t>(k);
        sum += widthAt(c.odd, k) * checksumWeights[at] + widthAt(c.even, k) * checksumWeights[at + 1];
    }
    return sum;
}

// Odd and even widths interleaved, odd first, as digits.
char* putCharacter(char* p, character_widths c)
{
    for (int k = 0; k < elementsPerParity; ++k) {
        *p++ = static_cast<char>('0' + widthAt(c.odd, k));
        *p++ = static_cast<char>('0' + widthAt(c.even, k));
    }
    return p;
}

char* put(char* p, std::string_view text)
{
    for (char c : text)
        *p++ = c;
    return p;
}

constexpr std::size_t characterElements = 2 * elementsPerParity;

constexpr bool everyCheckPatternHasCharacterElements()
{
    for (std::string_view pattern : checkPatterns)
        if (pattern.size() != characterElements)
            return false;
    return true;
}
static_assert(everyCheckPatternHasCharacterElements());

// The check character's widths, copied as one block of known size.
char* putCheckCharacter(char* p, int checksum)
{
    std::memcpy(p, checkPatterns[static_cast<std::size_t>(checksum)].data(), characterElements);
    return p + characterElements;
}

}  // namespace

std::string_view limitedCheckPattern(int checksum)
{
    if (checksum < 0 || checksum >= checksumModulus)
        throw std::out_of_range("DataBar Limited checksum out of range");
    return checkPatterns[static_cast<std::size_t>(checksum)];
}

int limitedChecksum(std::string_view left, std::string_view right)
{
    if (left.size() != characterElements || right.size() != characterElements)
        throw std::invalid_argument("a DataBar Limited data character has 14 widths");
    int sum = 0;
    for (std::size_t k = 0; k < characterElements; ++k)
        sum += (left[k] - '0') * checksumWeights[k] + (right[k] - '0') * checksumWeights[characterElements + k];
    return sum % checksumModulus;
}

void databar_limited_encoder::checkCharacters(const std::string& input) const
{
    if (!indicatorAllowed(gtinDigits(input.c_str())[1]))
        throw invalid_character_error(error_text::invalidCharacterInData, 1);
}

databar_limited_elements databarLimitedElements(gtin_digits digits)
{
    if (!indicatorAllowed(digits[1]))
        digits[1] = '0';
    const std::uint64_t value = gtinValue(digits);
    const character_widths left = dataCharacter(static_cast<std::int64_t>(value / leftRightDivisor));
    const character_widths right = dataCharacter(static_cast<std::int64_t>(value % leftRightDivisor));
    const int checksum = (weightedSum(left, 0) + weightedSum(right, characterElements)) % checksumModulus;

    databar_limited_elements elements{};
    char* p = elements.data();
    p = put(p, "11");
    p = putCharacter(p, left);
    p = putCheckCharacter(p, checksum);
    p = putCharacter(p, right);
    put(p, "11");
    return elements;
}

std::string databarLimitedElementWidths(gtin_digits digits)
{
    const databar_limited_elements elements = databarLimitedElements(digits);
    return std::string(elements.data(), elements.size());
}

std::string databarLimitedHumanReadable(gtin_digits digits)
{
    if (!indicatorAllowed(digits[1]))
        digits[1] = '0';
    return gtinHumanReadable(digits);
}

int databar_limited_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    const gtin_digits digits = gtinDigits(input);
    barcode = databarLimitedElementWidths(digits);
    humanReadable = databarLimitedHumanReadable(digits);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
