// SPDX-License-Identifier: Apache-2.0
// --batch: one symbol for each line of the input, one result line for each.
#pragma once

#include "options.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace Kelbrin::Tarnwick::Cli {

// Whether every "%" of a file name template starts %n, %d or %%.
bool fileNameTemplateIsValid(std::string_view name);

// The file name for input line `lineNumber` (from 1) holding `data`: %n the line number, %d
// the data made safe for a file name, %% a "%".
std::string expandFileName(std::string_view name, std::size_t lineNumber, std::string_view data);

// Encodes every line of opt.batchInput; the exit status (1 when any line failed, 3 when
// output could not be written).
int runBatch(const symbology_name& sym, const options& opt);

}  // namespace Kelbrin::Tarnwick::Cli
