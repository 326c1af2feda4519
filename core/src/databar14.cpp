#include "tallowlib/databar14.hpp"

#include "tallowlib/databar_widths.hpp"
#include "tallowlib/gs1_check_digit.hpp"


namespace Kelbrin::Tallowlib {

namespace {

constexpr std::uint64_t leftRightDivisor = 4537077;
constexpr std::int64_t characterDivisor = 1597;
constexpr int elementsPerParity = 4;

constexpr std::array<std::string_view, 9> finderPatterns = {
    "38211", "35511", "33711", "31911", "27411", "25611", "23811", "15711", "13911",
};

constexpr int checksumModulus = 79;

constexpr std::array<int, 32> checksumWeights = [] {
    std::array<int, 32> w{};
    int p = 1;
    for (auto& x : w) {
        x = p;
        p = p * 3 % checksumModulus;
    }
    return w;
}();

int checksum(const std::array<std::string, 4>& characters)
{
    int sum = 0;
    std::size_t k = 0;
    for (const auto& c : characters)
        for (char digit : c)
            sum += (digit - '0') * checksumWeights[k++];
    return sum % checksumModulus;
}

std::string reversed(std::string_view text) { return std::string(text.rbegin(), text.rend()); }

}  // namespace

gtin_digits gtinDigits(const char* input)
{
    gtin_digits d;
    d.fill('0');
    std::size_t next = 1;
    for (const char* p = input; p != nullptr && *p != '\0' && next < d.size(); ++p)
        if (*p >= '0' && *p <= '9')
            d[next++] = *p;
    return d;
}

std::uint64_t gtinValue(const gtin_digits& digits)
{
    std::uint64_t v = 0;
    for (char c : digits)
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    return v;
}

std::string gtinHumanReadable(const gtin_digits& d)
{
    const std::string_view all(d.data(), d.size());
    std::string text = "(01) ";
    text.reserve(24);
    text += all.substr(1, 1);
    text += ' ';
    text += all.substr(2, 7);
    text += ' ';
    text += all.substr(9, 5);
    text += ' ';
    text += gs1CheckDigit(all);
    return text;
}

std::string databar14ElementWidths(const gtin_digits& digits)
{
    const std::uint64_t value = gtinValue(digits);
    const auto left = static_cast<std::int64_t>(value / leftRightDivisor);
    const auto right = static_cast<std::int64_t>(value % leftRightDivisor);
    const std::array<std::string, 4> c = {
        dataCharacterWidths(left / characterDivisor, true, databar14OutsideGroups, elementsPerParity),
        dataCharacterWidths(left % characterDivisor, false, databar14InsideGroups, elementsPerParity),
        dataCharacterWidths(right / characterDivisor, true, databar14OutsideGroups, elementsPerParity),
        dataCharacterWidths(right % characterDivisor, false, databar14InsideGroups, elementsPerParity),
    };

    int t = checksum(c);
    if (t >= 8)
        ++t;
    if (t >= 72)
        ++t;
    const std::string_view leftFinder = finderPatterns[static_cast<std::size_t>(t / 9)];
    const std::string_view rightFinder = finderPatterns[static_cast<std::size_t>(t % 9)];

    std::string text;
    text.reserve(46);
    text += "11";
    text += c[0];
    text += leftFinder;
    text += reversed(c[1]);
    text += c[3];
    text += reversed(rightFinder);
    text += reversed(c[2]);
    text += "11";
    return text;
}

int databar14_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    const gtin_digits digits = gtinDigits(input);
    barcode = databar14ElementWidths(digits);
    humanReadable = gtinHumanReadable(digits);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
