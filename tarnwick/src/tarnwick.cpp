// The exported functions: one encode per call, the font text copied into the caller's buffer.
#include "Tarnwick.h"

#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

bool isEmpty(const char* input) { return input == nullptr || *input == '\0'; }

// Copies `text` and a zero byte when the whole text fits; the result contract's 0 / n.
int copyWhole(const std::string& text, char* output, std::int32_t size)
{
    const auto capacity = static_cast<std::uint32_t>(size);
    if (output == nullptr || capacity < text.size() + 1)
        return 0;
    std::memcpy(output, text.data(), text.size());
    output[text.size()] = '\0';
    return static_cast<int>(text.size());
}

// copyWhole of the lines joined by "\r\n", written in place.
int copyJoined(const std::vector<std::string>& lines, char* output, std::int32_t size)
{
    const std::size_t length = joinedSize(lines);
    const auto capacity = static_cast<std::uint32_t>(size);
    if (output == nullptr || capacity < length + 1)
        return 0;
    joinLines(lines, output);
    output[length] = '\0';
    return static_cast<int>(length);
}

int encodeOneText(symbology s, const char* input, char* output, std::int32_t size)
{
    if (isEmpty(input))
        return -1;
    try {
        thread_local std::vector<std::string> lines;
        encodeFontLines(s, input, 22, lines);
        if (lines.size() == 1)
            return copyWhole(lines.front(), output, size);
        return copyJoined(lines, output, size);
    } catch (...) {
        return -1;
    }
}

bool debugOutputEnabled()
{
    const char* v = std::getenv("TARNWICK_DEBUG_OUTPUT");
    return v != nullptr && *v != '\0';
}

}  // namespace

extern "C" {

TARNWICK_API int TARNWICK_CALL Code128_Uni(const char* input, char* output, std::int32_t size)
{
    return encodeOneText(symbology::code128, input, output, size);
}

TARNWICK_API int TARNWICK_CALL EAN128_Uni(const char* input, char* output, std::int32_t size)
{
    return encodeOneText(symbology::gs1_128, input, output, size);
}

TARNWICK_API int TARNWICK_CALL DataBar14(const char* input, char* output, std::int32_t size)
{
    return encodeOneText(symbology::databar14, input, output, size);
}

TARNWICK_API int TARNWICK_CALL DataBarLimited(const char* input, char* output, std::int32_t size)
{
    return encodeOneText(symbology::databar_limited, input, output, size);
}

TARNWICK_API int TARNWICK_CALL DataBarStacked(const char* input, char* output, std::int32_t size)
{
    return encodeOneText(symbology::databar_stacked, input, output, size);
}

TARNWICK_API int TARNWICK_CALL DataBarStackedOmni(const char* input, char* output, std::int32_t size)
{
    return encodeOneText(symbology::databar_stacked_omni, input, output, size);
}

// Copies line by line; a buffer that runs out part-way returns 0 with the lines that fitted
// already written (callers must not read the buffer after 0).
TARNWICK_API int TARNWICK_CALL DataBarExpanded(const char* input, std::int32_t segmentsPerRow, char* output,
                                               std::int32_t size)
{
    if (isEmpty(input))
        return -1;
    try {
        thread_local std::vector<std::string> lines;
        encodeFontLines(symbology::databar_expanded, input, segmentsPerRow, lines);
        const auto capacity = static_cast<std::uint64_t>(static_cast<std::uint32_t>(size));
        const bool debug = debugOutputEnabled();
        std::uint64_t p = 0;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::string& line = lines[k];
            const bool last = k + 1 == lines.size();
            if (output == nullptr || capacity < p + line.size() + (last ? 1 : 3))
                return 0;
            std::memcpy(output + p, line.data(), line.size());
            if (debug)
                std::fprintf(stderr, "Tarnwick: %s\n", line.c_str());
            p += line.size();
            if (!last) {
                output[p++] = '\r';
                output[p++] = '\n';
            }
        }
        if (output == nullptr || capacity < p + 1)
            return 0;
        output[p] = '\0';
        return static_cast<int>(p);
    } catch (...) {
        return -1;
    }
}

TARNWICK_API int TARNWICK_CALL getMod10CheckDigit(const char* digits)
{
    if (digits == nullptr)
        return 0;
    return gs1Mod10(digits);
}

}  // extern "C"
