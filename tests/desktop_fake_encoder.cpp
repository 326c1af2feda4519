// SPDX-License-Identifier: Apache-2.0
// A stand-in for libTarnwick.so that the Barwright tests load: each encoder writes
// "<function>:<input>" and records its call. Built once with all seven encoder functions and once
// without DataBarExpanded.
#include "Tarnwick.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {

std::string lastFunction;
std::string lastInput;
int lastSegments = -1;
int callCount = 0;

int fakeEncode(const char* function, const char* input, int segments, const char* secondLine, char* output,
               std::int32_t size)
{
    ++callCount;
    lastFunction = function;
    lastInput = input != nullptr ? input : "";
    lastSegments = segments;
    if (lastInput.empty() || lastInput.rfind("FAIL", 0) == 0)
        return -1;
    if (lastInput == "OVERRUN") {  // a misbehaving library: no terminator, a length beyond the buffer
        std::memset(output, 'x', static_cast<std::size_t>(size));
        return size + 100;
    }
    std::string text = std::string(function) + ':' + lastInput;
    if (secondLine != nullptr)
        text += std::string("\r\n") + secondLine;
    if (static_cast<std::uint32_t>(size) < text.size() + 1)
        return 0;
    std::memcpy(output, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

}  // namespace

extern "C" {

int Code128_Uni(const char* input, char* output, std::int32_t size)
{
    return fakeEncode("Code128_Uni", input, -1, nullptr, output, size);
}
int EAN128_Uni(const char* input, char* output, std::int32_t size)
{
    return fakeEncode("EAN128_Uni", input, -1, nullptr, output, size);
}
int DataBar14(const char* input, char* output, std::int32_t size)
{
    return fakeEncode("DataBar14", input, -1, nullptr, output, size);
}
int DataBarLimited(const char* input, char* output, std::int32_t size)
{
    return fakeEncode("DataBarLimited", input, -1, nullptr, output, size);
}
int DataBarStacked(const char* input, char* output, std::int32_t size)
{
    return fakeEncode("DataBarStacked", input, -1, nullptr, output, size);
}
int DataBarStackedOmni(const char* input, char* output, std::int32_t size)
{
    return fakeEncode("DataBarStackedOmni", input, -1, "second row", output, size);
}
#ifndef FAKE_WITHOUT_EXPANDED
int DataBarExpanded(const char* input, std::int32_t segmentsPerRow, char* output, std::int32_t size)
{
    return fakeEncode("DataBarExpanded", input, segmentsPerRow, nullptr, output, size);
}
const TarnwickVersion TarnwickVersionInfo = {"Fake encoder", 3u << 16 | 0u, 0u << 16 | 125u};
int TarnwickLastError(char* output, std::int32_t size)
{
    const std::string text = "fake diagnostic for \"" + lastInput + "\"";
    if (output == nullptr || size < static_cast<std::int32_t>(text.size()) + 1)
        return 0;
    std::memcpy(output, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}
#else
const TarnwickVersion TarnwickVersionInfo = {"Fake encoder", 1u << 16 | 2u, 2u << 16 | 15u};
#endif

}  // extern "C"

FAKE_API const char* FakeLastFunction() { return lastFunction.c_str(); }
FAKE_API const char* FakeLastInput() { return lastInput.c_str(); }
FAKE_API int FakeLastSegments() { return lastSegments; }
FAKE_API int FakeCallCount() { return callCount; }
