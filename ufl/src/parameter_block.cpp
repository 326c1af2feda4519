// SPDX-License-Identifier: Apache-2.0
#include "parameter_block.hpp"

#include "font_text_copy.hpp"

#include <cmath>
#include <cstring>
#include <limits>

namespace Kelbrin::U25Ferrow {

const ufl_param_element* parameter(const ufl_param_block* block, int n)
{
    if (block == nullptr || n < 1)
        return nullptr;
    const ufl_param_element* element = block->firstParameter;
    for (int k = 1; k < n && element != nullptr; ++k)
        element = element->next;
    return element;
}

const char* stringValue(const ufl_param_element& element)
{
    return element.value.string;
}

std::int32_t integerValue(const ufl_param_element& element)
{
    const double value = std::trunc(element.value.number * 0.01);
    if (std::isnan(value))
        return 0;
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest)
        return lowest;
    if (value >= highest)
        return highest;
    return static_cast<std::int32_t>(value);
}

std::optional<symbol_arguments> symbolArguments(const ufl_param_block* block, Tallowlib::symbology s)
{
    constexpr std::int32_t oneRow = 22;  // the value is unused for the one-row symbologies
    const bool expanded = s == Tallowlib::symbology::databar_expanded;
    const ufl_param_element* data = parameter(block, 1);
    const ufl_param_element* segments = expanded ? parameter(block, 2) : nullptr;
    if (data == nullptr || (expanded && segments == nullptr))
        return std::nullopt;
    return symbol_arguments{stringValue(*data), expanded ? boundedSegmentsPerRow(integerValue(*segments)) : oneRow};
}

char* resultBuffer(const ufl_param_block& block)
{
    return block.result.string;
}

void setCountResult(ufl_param_block& block, std::int32_t count)
{
    block.result.number = static_cast<double>(count) * 100.0;
}

std::int32_t fail(ufl_param_block& block, std::int32_t errorIndex)
{
    block.result.errorIndex = errorIndex;
    return UFL_FAILED;
}

std::uint16_t errorIndex(const ufl_param_block& block)
{
    std::uint16_t index = 0;
    std::memcpy(&index, reinterpret_cast<const unsigned char*>(&block) + offsetof(ufl_param_block, result),
                sizeof index);
    return index;
}

}  // namespace Kelbrin::U25Ferrow
