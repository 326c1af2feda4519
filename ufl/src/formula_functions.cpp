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
// Segments per row for the symbologies that have no choice of rows (the value is unused).
constexpr std::int32_t oneRow = 22;

std::int32_t writeSymbol(ufl_param_block& block, symbology s, const char* data, std::int32_t segments)
{
    if (copyFontText(s, data, segments, resultBuffer(block), UFL_RESULT_BUFFER_SIZE) > 0)
        return UFL_SUCCESS;
    return fail(block, UFL_ERROR_INVALID_DATA);
}

std::int32_t oneTextFunction(ufl_param_block* block, symbology s)
{
    const ufl_param_element* data = parameter(block, 1);
    if (data == nullptr)
        return UFL_MISSING_PARAMETER;
    return writeSymbol(*block, s, stringValue(*data), oneRow);
}

}  // namespace

extern "C" {

UFL_API std::int32_t UFL_CALL Kelbrin_Code128_Uni(ufl_param_block* block)
{
    return oneTextFunction(block, symbology::code128);
}

UFL_API std::int32_t UFL_CALL Kelbrin_EAN128_Uni(ufl_param_block* block)
{
    return oneTextFunction(block, symbology::gs1_128);
}

UFL_API std::int32_t UFL_CALL Kelbrin_DataBar14(ufl_param_block* block)
{
    return oneTextFunction(block, symbology::databar14);
}

UFL_API std::int32_t UFL_CALL Kelbrin_DataBarLimited(ufl_param_block* block)
{
    return oneTextFunction(block, symbology::databar_limited);
}

UFL_API std::int32_t UFL_CALL Kelbrin_DataBarStacked(ufl_param_block* block)
{
    return oneTextFunction(block, symbology::databar_stacked);
}

UFL_API std::int32_t UFL_CALL Kelbrin_DataBarStackedOmni(ufl_param_block* block)
{
    return oneTextFunction(block, symbology::databar_stacked_omni);
}

// A symbol whose font text exceeds 254 characters fails here; the _Set/_Get pair serves it.
UFL_API std::int32_t UFL_CALL Kelbrin_DataBarExpanded(ufl_param_block* block)
{
    const ufl_param_element* data = parameter(block, 1);
    const ufl_param_element* segments = parameter(block, 2);
    if (data == nullptr || segments == nullptr)
        return UFL_MISSING_PARAMETER;
    const std::int32_t perRow = boundedSegmentsPerRow(integerValue(*segments));
    return writeSymbol(*block, symbology::databar_expanded, stringValue(*data), perRow);
}

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
