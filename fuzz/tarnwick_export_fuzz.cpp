// SPDX-License-Identifier: Apache-2.0
// Fuzzes one Tarnwick export (FUZZ_EXPORT): any input text, segments per row and buffer size.
// The buffer is followed by guard bytes that must stay untouched, and a positive result must
// be the length of the zero-terminated text written.
#include "Tarnwick.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "fuzz fault: %s\n", what);
    std::abort();
}

[[maybe_unused]] int call(decltype(&DataBar14) fn, const char* text, std::int32_t, char* out, std::int32_t size)
{
    return fn(text, out, size);
}
[[maybe_unused]] int call(decltype(&DataBarExpanded) fn, const char* text, std::int32_t segments, char* out, std::int32_t size)
{
    return fn(text, segments, out, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::size_t bufferSize = (static_cast<std::size_t>(data[0]) << 8 | data[1]) % 4097;
    const auto segments = static_cast<std::int32_t>(static_cast<std::int8_t>(data[2]));
    const std::string text(reinterpret_cast<const char*>(data + 3), size - 3);  // stops at an inner zero

#if defined(FUZZ_EXPORT_IS_CHECK_DIGIT)
    (void)bufferSize;
    (void)segments;
    const int digit = getMod10CheckDigit(text.c_str());
    if (digit < -9 || digit > 19)
        fault("check digit out of range");
#else
    constexpr std::size_t guardSize = 64;
    constexpr unsigned char guardByte = 0xA5;
    std::vector<char> buffer(bufferSize + guardSize, static_cast<char>(guardByte));
    const int n = call(&FUZZ_EXPORT, text.c_str(), segments, buffer.data(), static_cast<std::int32_t>(bufferSize));
    for (std::size_t i = bufferSize; i < buffer.size(); ++i)
        if (static_cast<unsigned char>(buffer[i]) != guardByte)
            fault("wrote past the given size");
    if (n < -1)
        fault("result below -1");
    if (n > 0) {
        if (static_cast<std::size_t>(n) >= bufferSize)
            fault("result does not fit the buffer");
        if (std::memchr(buffer.data(), '\0', bufferSize) == nullptr || std::strlen(buffer.data()) != static_cast<std::size_t>(n))
            fault("result is not the length of the text written");
    }
    if (text.empty() && n != -1)
        fault("empty input must give -1");
#endif
    return 0;
}
