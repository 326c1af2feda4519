// SPDX-License-Identifier: Apache-2.0
// The per-family halves of encodeFontLines (symbol_text.cpp dispatches to them).
#pragma once

#include "tallowlib/symbol_text.hpp"

#include <string>
#include <vector>

namespace Kelbrin::Tallowlib::detail {

// DataBar-14, Limited, Stacked and Stacked Omnidirectional.
void encodeDataBarFixed(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable);
// Code 128 and GS1-128.
void encodeCode128Family(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable);
// DataBar Expanded and Expanded Stacked; segmentsPerRow as the caller gave it.
void encodeDataBarExpanded(const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                           std::string* humanReadable);

}  // namespace Kelbrin::Tallowlib::detail
