// SPDX-License-Identifier: Apache-2.0
// The three lists the engine reads, each behind its header.
#pragma once

#include "ufl_engine.h"

namespace Kelbrin::U25Ferrow {

const ufl_list_header* functionTableList();  // ufl_function_def rows, then a row of zeros
const ufl_list_header* templateList();       // text pointers, then a null pointer
const ufl_list_header* exampleList();        // text pointers, then a null pointer

}  // namespace Kelbrin::U25Ferrow
