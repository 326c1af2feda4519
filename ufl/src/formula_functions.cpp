// SPDX-License-Identifier: Apache-2.0
// The formula functions that return their whole result at once.
#include "font_text_copy.hpp"
#include "parameter_block.hpp"
#include "ufl_engine.h"

#include "tallowlib/gs1_check_digit.hpp"

#include <cstring>
#include <string_view>

using Kelbrin::Tallowlib::symbology;
using namespace Kelbrin::U25Ferrow;

namespace {

// Longest text Kelbrin_Mod10 accepts: with its check digit it fills the result buffer.
constexpr std::size_t maxMod10Length = UFL_RESULT_BUFFER_SIZE - 2;

// A formula function that prints a symbol. A DataBar Expanded symbol whose font text
// exceeds 254 characters fails here; the _Set/_Get pair serves it.
std::int32_t symbolFunction(ufl_param_block* block, symbology s)
{
    const auto arguments = symbolArguments(block, s);
    if (!arguments)
        return UFL_MISSING_PARAMETER;
    if (copyFontText(s, arguments->data, arguments->segmentsPerRow, resultBuffer(*block), UFL_RESULT_BUFFER_SIZE) > 0)
        return UFL_SUCCESS;
    return fail(*block, UFL_ERROR_INVALID_DATA);
}

}  // namespace

extern "C" {

#define KELBRIN_SYMBOL_FUNCTION(name, s) \
    UFL_API std::int32_t UFL_CALL name(ufl_param_block* block) { return symbolFunction(block, s); }

KELBRIN_SYMBOL_FUNCTION(Kelbrin_Code128_Uni, symbology::code128)
KELBRIN_SYMBOL_FUNCTION(Kelbrin_EAN128_Uni, symbology::gs1_128)
KELBRIN_SYMBOL_FUNCTION(Kelbrin_DataBar14, symbology::databar14)
KELBRIN_SYMBOL_FUNCTION(Kelbrin_DataBarLimited, symbology::databar_limited)
KELBRIN_SYMBOL_FUNCTION(Kelbrin_DataBarStacked, symbology::databar_stacked)
KELBRIN_SYMBOL_FUNCTION(Kelbrin_DataBarStackedOmni, symbology::databar_stacked_omni)
KELBRIN_SYMBOL_FUNCTION(Kelbrin_DataBarExpanded, symbology::databar_expanded)

#undef KELBRIN_SYMBOL_FUNCTION

// The text followed by its GS1 modulo-10 check digit. No character is rejected.
UFL_API std::int32_t UFL_CALL Kelbrin_Mod10(ufl_param_block* block)
{
    const ufl_param_element* data = parameter(block, 1);
    if (data == nullptr)
        return UFL_MISSING_PARAMETER;
    const char* text = stringValue(*data);
    const std::size_t length = text == nullptr ? 0 : strnlen(text, maxMod10Length + 1);
    if (length > maxMod10Length)
        return UFL_INPUT_TOO_LONG;
    char* out = resultBuffer(*block);
    if (out == nullptr)
        return fail(*block, UFL_ERROR_INVALID_DATA);
    const std::string_view digits(text == nullptr ? "" : text, length);
    const char checkDigit = Kelbrin::Tallowlib::gs1CheckDigit(digits);
    std::memmove(out, digits.data(), length);
    out[length] = checkDigit;
    out[length + 1] = '\0';
    return UFL_SUCCESS;
}

}  // extern "C"
