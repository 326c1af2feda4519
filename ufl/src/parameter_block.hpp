// SPDX-License-Identifier: Apache-2.0
// Reading and writing the engine's parameter block: only the fields at its fixed offsets.
#pragma once

#include "ufl_engine.h"

#include "tallowlib/symbol_text.hpp"

#include <cstdint>
#include <optional>

namespace Kelbrin::U25Ferrow {

// Parameter n (from 1): the first element followed n - 1 times; null when missing.
const ufl_param_element* parameter(const ufl_param_block* block, int n);

// A String parameter's text; null stays null.
const char* stringValue(const ufl_param_element& element);

// A Number parameter as an integer: value x 0.01, truncated toward zero. NaN gives 0 and
// values beyond the 32-bit range are clamped to it.
std::int32_t integerValue(const ufl_param_element& element);

// The arguments of a formula function that prints a symbol: its text (parameter 1) and, for
// DataBar Expanded, the segments per row (parameter 2, bounded); the other symbologies
// print one row. nullopt when a parameter is missing.
struct symbol_arguments {
    const char* data;
    std::int32_t segmentsPerRow;
};
std::optional<symbol_arguments> symbolArguments(const ufl_param_block* block, Tallowlib::symbology s);

// The engine's result buffer of a String function (UFL_RESULT_BUFFER_SIZE bytes).
char* resultBuffer(const ufl_param_block& block);

// A count returned by a Number function, in hundredths.
void setCountResult(ufl_param_block& block, std::int32_t count);

// Stores the error index in the result slot and returns UFL_FAILED.
std::int32_t fail(ufl_param_block& block, std::int32_t errorIndex);

// The 16-bit error index at the result slot.
std::uint16_t errorIndex(const ufl_param_block& block);

}  // namespace Kelbrin::U25Ferrow
