// SPDX-License-Identifier: Apache-2.0
// Text to integer the way the C library's atoi reads it.
#pragma once

#include <string_view>

namespace Kelbrin::Barwright {

// Leading blanks, an optional sign, digits up to the first non-digit; no digits gives 0.
// Values beyond the int range saturate instead of overflowing.
int atoiValue(std::string_view text);

}  // namespace Kelbrin::Barwright
