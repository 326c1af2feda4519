#include "tallowlib/gs1_check_digit.hpp"

#include <cstdint>

namespace Kelbrin::Tallowlib {

int gs1Mod10(std::string_view text)
{
    std::int64_t sum = 0;
    int weight = 3;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        sum += weight * (static_cast<int>(static_cast<unsigned char>(*it)) - 48);
        weight = 4 - weight;
    }
    const auto rest = static_cast<int>(sum % 10);
    return rest == 0 ? 0 : 10 - rest;
}

char gs1CheckDigit(std::string_view digits)
{
    return static_cast<char>('0' + gs1Mod10(digits));
}

}  // namespace Kelbrin::Tallowlib
