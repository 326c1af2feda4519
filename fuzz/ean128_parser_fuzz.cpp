// SPDX-License-Identifier: Apache-2.0
// Fuzzes the element-string parser: any text, every option set and style. Each record must
// stay zero-terminated within its fields, and every failure must be a format error 10..14.
#include "gs1/ean128_parser.hpp"
#include "tallowlib/errors.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "fuzz fault: %s\n", what);
    std::abort();
}

template <std::size_t N>
void checkTerminated(const char (&field)[N], const char* name)
{
    if (std::memchr(field, '\0', N) == nullptr)
        fault(name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int options = data[0] & 7;  // with and without skip_text (other bits mean nothing)
    const int style = (data[0] >> 3) % 6;  // 5 exercises the unknown-style path
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<ean128_element> elements;
    const int status = parseElementStrings(text.c_str(), options, style, elements);
    if (status == 0)
        fault("parse loop ended on a valid element");
    for (const auto& e : elements) {
        checkTerminated(e.ai, "ai not terminated");
        checkTerminated(e.data, "data not terminated");
        checkTerminated(e.text, "text not terminated");
    }
    try {
        raiseFormatError(status);
        if (status & 31)
            fault("a status bit passed without an error");
    } catch (const invalid_ean128_format_error& e) {
        if (e.code < 10 || e.code > 14)
            fault("format error code out of range");
    }
    try {
        checkElementStrings(text.c_str());
    } catch (const invalid_ean128_format_error& e) {
        if (e.code < 10 || e.code > 14)
            fault("format error code out of range");
    }
    return 0;
}
