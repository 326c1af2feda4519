// SPDX-License-Identifier: Apache-2.0
// The exported functions: one encode per call, the font text copied into the caller's buffer.
#include "Tarnwick.h"

#include "tallowlib/errors.hpp"
#include "tallowlib/gs1_check_digit.hpp"
#include "tallowlib/symbol_text.hpp"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace Kelbrin::Tallowlib;

namespace {

// The calling thread's last diagnostic, zero-terminated; empty after a successful call. A
// plain array, so that nothing is left to destroy when a thread ends or the library unloads
// (see threadLines for the lines of an encode).
constexpr std::size_t lastErrorCapacity = 512;
thread_local char lastError[lastErrorCapacity];

// Records `text`, bytes outside printable ASCII shown as \xNN, cut to what the record holds.
void setLastError(std::string_view text)
{
    std::size_t n = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        char shown[5] = {static_cast<char>(c), '\0'};
        if (c < 0x20 || c >= 0x7F)
            std::snprintf(shown, sizeof shown, "\\x%02X", c);
        const std::size_t len = std::strlen(shown);
        if (n + len >= lastErrorCapacity)
            break;
        std::memcpy(lastError + n, shown, len);
        n += len;
    }
    lastError[n] = '\0';
}

void setLastError(const std::exception& e)
{
    if (const auto* coreError = dynamic_cast<const barlib_error*>(&e))
        setLastError(coreError->diagnostic.empty() ? coreError->message : coreError->diagnostic);
    else
        setLastError(e.what());
}

// The bytes a buffer of `size` holds: a negative size holds none.
std::uint64_t capacityOf(std::int32_t size) { return size < 0 ? 0 : static_cast<std::uint64_t>(size); }

bool isEmpty(const char* input)
{
    if (input != nullptr && *input != '\0')
        return false;
    setLastError("no data to encode");
    return true;
}

// The result for font text of `length` bytes that did not fit.
int tooSmall(std::uint64_t length, std::int32_t size)
{
    setLastError("the output buffer holds " + std::to_string(size) + " bytes; the font text needs " +
                 std::to_string(length + 1));
    return 0;
}

// Copies the lines joined by "\r\n" and a zero byte when the whole text fits; the result
// contract's 0 / n.
int copyJoined(const std::vector<std::string>& lines, char* output, std::int32_t size)
{
    const std::size_t length = joinedSize(lines);
    if (output == nullptr || capacityOf(size) < length + 1)
        return tooSmall(length, size);
    joinLines(lines, output);
    output[length] = '\0';
    lastError[0] = '\0';
    return static_cast<int>(length);
}

int encodeOneText(symbology s, const char* input, char* output, std::int32_t size)
{
    if (isEmpty(input))
        return -1;
    try {
        std::vector<std::string> callOwned;
        std::vector<std::string>& lines = threadLines(callOwned);
        encodeFontLines(s, input, 22, lines);
        return copyJoined(lines, output, size);
    } catch (const std::exception& e) {
        setLastError(e);
        return -1;
    } catch (...) {
        setLastError("the symbol could not be encoded");
        return -1;
    }
}

// Each line of a DataBarExpanded result goes to the debugger: on Windows through
// OutputDebugString (seen only when a debugger or DebugView listens); elsewhere, where there is
// no such service, to standard error with a "Tarnwick: " prefix when TARNWICK_DEBUG_OUTPUT is
// set to a non-empty value.
#ifdef _WIN32
bool debugOutputEnabled() { return true; }
void toDebugger(const std::string& line) { OutputDebugStringA(line.c_str()); }
#else
bool debugOutputEnabled()
{
    const char* v = std::getenv("TARNWICK_DEBUG_OUTPUT");
    return v != nullptr && *v != '\0';
}
void toDebugger(const std::string& line) { std::fprintf(stderr, "Tarnwick: %s\n", line.c_str()); }
#endif

// DataBarExpanded's copy: line by line, so that a buffer that runs out part-way holds the
// lines that fitted (callers must not read the buffer after 0).
int copyLineByLine(const std::vector<std::string>& lines, char* output, std::int32_t size)
{
    const std::uint64_t capacity = capacityOf(size);
    const bool debug = debugOutputEnabled();
    std::uint64_t p = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        const bool last = k + 1 == lines.size();
        if (output == nullptr || capacity < p + line.size() + (last ? 1 : 3))
            return tooSmall(joinedSize(lines), size);
        std::memcpy(output + p, line.data(), line.size());
        if (debug)
            toDebugger(line);
        p += line.size();
        if (!last) {
            output[p++] = '\r';
            output[p++] = '\n';
        }
    }
    if (output == nullptr || capacity < p + 1)
        return tooSmall(p, size);
    output[p] = '\0';
    lastError[0] = '\0';
    return static_cast<int>(p);
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

TARNWICK_API int TARNWICK_CALL DataBarExpanded(const char* input, std::int32_t segmentsPerRow, char* output,
                                               std::int32_t size)
{
    if (isEmpty(input))
        return -1;
    try {
        std::vector<std::string> callOwned;
        std::vector<std::string>& lines = threadLines(callOwned);
        encodeFontLines(symbology::databar_expanded, input, segmentsPerRow, lines);
        return copyLineByLine(lines, output, size);
    } catch (const std::exception& e) {
        setLastError(e);
        return -1;
    } catch (...) {
        setLastError("the symbol could not be encoded");
        return -1;
    }
}

TARNWICK_API int TARNWICK_CALL getMod10CheckDigit(const char* digits)
{
    if (digits == nullptr)
        return 0;
    return gs1Mod10(digits);
}

TARNWICK_API int TARNWICK_CALL TarnwickLastError(char* output, std::int32_t size)
{
    const std::size_t length = std::strlen(lastError);
    if (length == 0)
        return -1;
    if (output == nullptr || capacityOf(size) < length + 1)
        return 0;
    std::memcpy(output, lastError, length + 1);
    return static_cast<int>(length);
}

}  // extern "C"
