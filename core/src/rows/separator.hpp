// SPDX-License-Identifier: Apache-2.0
// The separator rows of stacked DataBar symbols, worked out on module bits:
//  - the data-row separator, directly above or below every data row of DataBar Stacked
//    Omnidirectional and DataBar Expanded Stacked;
//  - the middle separator between the data-row separators of two such rows;
//  - the one separator between the two rows of DataBar Stacked.
#pragma once

#include "rows/module_row.hpp"

#include <cstddef>

namespace Kelbrin::Tallowlib {

// The separator of the data row `row`, whose modules `data` holds as layOutRow gives them:
// the complement of the row, with four light modules at each end and the finder patterns
// broken into single modules, as wide as the row with its pads (light). Element widths are
// taken to be 1 to 9, as in every DataBar symbol; others give some row, never a write past
// `out`.
void dataRowSeparator(const element_row& row, const module_bits& data, module_bits& out);

// The middle separator row of `width` modules: five light modules, then single modules
// alternating from a dark one, then four or five light modules (four when `width` is even).
void middleSeparator(std::size_t width, module_bits& out);

// The separator between the top and bottom rows of DataBar Stacked, the first `width`
// modules (at most 64) of each: the opposite of equal modules above and below it, under
// unequal ones the opposite of the separator module before it; four light modules at each
// end.
void stackedSeparator(const module_bits& top, const module_bits& bottom, std::size_t width, module_bits& out);

}  // namespace Kelbrin::Tallowlib
