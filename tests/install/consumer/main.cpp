// SPDX-License-Identifier: Apache-2.0
#include <Tarnwick.h>

#include <array>
#include <iostream>

int main()
{
    std::array<char, 256> text{};
    if (DataBar14("0123456789012", text.data(), static_cast<std::int32_t>(text.size())) < 0)
        return 1;
    std::cout << (TarnwickVersionInfo.fileVersionMS >> 16) << ' ' << text.data() << '\n';
    return 0;
}
