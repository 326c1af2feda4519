// SPDX-License-Identifier: Apache-2.0
// Fuzzes the U25Ferrow formula functions as the engine calls them: any text and Number, with
// zero, one or two parameters, for every function, then a random sequence of Set and Get. The 255-byte result buffer is followed by guard bytes that
// must stay untouched, a String result must be zero-terminated inside the buffer, and only
// the documented result codes may come back.
#include "ufl_engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[noreturn]] void fault(const char* what)
{
    std::fprintf(stderr, "fuzz fault: %s\n", what);
    std::abort();
}

constexpr std::size_t guardSize = 64;
constexpr unsigned char guardByte = 0xA5;

void run(ufl_function fn, const std::string& text, double number, bool numberResult, int parameters)
{
    char buffer[UFL_RESULT_BUFFER_SIZE + guardSize];
    std::memset(buffer, guardByte, sizeof buffer);
    ufl_param_element second{};
    second.value.number = number;
    ufl_param_element first{};
    first.value.string = text.c_str();
    first.next = parameters > 1 ? &second : nullptr;
    ufl_param_block block{};
    block.firstParameter = parameters > 0 ? &first : nullptr;
    if (!numberResult)
        block.result.string = buffer;

    const std::int32_t code = fn(&block);
    for (std::size_t k = UFL_RESULT_BUFFER_SIZE; k < sizeof buffer; ++k)
        if (static_cast<unsigned char>(buffer[k]) != guardByte)
            fault("write past the result buffer");
    if (code == UFL_SUCCESS && !numberResult && memchr(buffer, '\0', UFL_RESULT_BUFFER_SIZE) == nullptr)
        fault("unterminated result");
    if (code != UFL_SUCCESS && code != UFL_FAILED && code != UFL_INPUT_TOO_LONG && code != UFL_MISSING_PARAMETER)
        fault("unexpected result code");
    if (code == UFL_FAILED && (block.result.errorIndex < 1 || block.result.errorIndex > 2))
        fault("unexpected error index");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return 0;
    const int parameters = data[0] % 3;
    const unsigned sequence = data[0] / 3;  // bits: 1 = Set, 0 = Get
    double number;
    std::memcpy(&number, data + 1, sizeof number);
    const std::string text(reinterpret_cast<const char*>(data + 9), size - 9);  // stops at an inner zero
    for (ufl_function fn : {Kelbrin_Code128_Uni, Kelbrin_EAN128_Uni, Kelbrin_DataBar14, Kelbrin_DataBarLimited,
                            Kelbrin_DataBarStacked, Kelbrin_DataBarStackedOmni, Kelbrin_DataBarExpanded,
                            Kelbrin_Mod10, Kelbrin_DataBarExpanded_Get})
        run(fn, text, number, false, parameters);
    for (unsigned bit = 0; bit < 7; ++bit) {
        if (sequence >> bit & 1)
            run(Kelbrin_DataBarExpanded_Set, text, number, true, 2);
        else
            run(Kelbrin_DataBarExpanded_Get, text, number, false, 0);
    }
    return 0;
}
