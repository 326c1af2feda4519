// SPDX-License-Identifier: Apache-2.0
// What the engine reads to offer the formula functions: the function table, the template
// and example lists, and the headers that hand them over.
#include "function_table.hpp"

#include <iterator>

namespace {

constexpr ufl_function_def functionTable[] = {
    {"String Kelbrin_Code128_Uni (String)", Kelbrin_Code128_Uni, 0, 0},
    {"String Kelbrin_EAN128_Uni (String)", Kelbrin_EAN128_Uni, 0, 0},
    {"String Kelbrin_DataBar14 (String)", Kelbrin_DataBar14, 0, 0},
    {"String Kelbrin_DataBarLimited (String)", Kelbrin_DataBarLimited, 0, 0},
    {"String Kelbrin_DataBarStacked (String)", Kelbrin_DataBarStacked, 0, 0},
    {"String Kelbrin_DataBarStackedOmni (String)", Kelbrin_DataBarStackedOmni, 0, 0},
    {"String Kelbrin_DataBarExpanded (String, Number)", Kelbrin_DataBarExpanded, 0, 0},
    {"String Kelbrin_Mod10 (String)", Kelbrin_Mod10, 0, 0},
    {"Number Kelbrin_DataBarExpanded_Set (String, Number)", Kelbrin_DataBarExpanded_Set, 0, 0},
    {"String Kelbrin_DataBarExpanded_Get", Kelbrin_DataBarExpanded_Get, 0, 0},
    {nullptr, nullptr, 0, 0},
};

constexpr const char* functionTemplates[] = {
    "Kelbrin_Code128_Uni (!)",
    "Kelbrin_EAN128_Uni (!)",
    "Kelbrin_DataBar14 (!)",
    "Kelbrin_DataBarLimited (!)",
    "Kelbrin_DataBarStacked (!)",
    "Kelbrin_DataBarStackedOmni (!)",
    "Kelbrin_DataBarExpanded (!, )",
    "Kelbrin_Mod10 (!)",
    "Kelbrin_DataBarExpanded_Set (!, )",
    "Kelbrin_DataBarExpanded_Get ()",
    nullptr,
};

constexpr const char* functionExamples[] = {
    "\tKelbrin_Code128_Uni (DataToEncode)",
    "\tKelbrin_EAN128_Uni (DataToEncode)",
    "\tKelbrin_DataBar14 (DataToEncode)",
    "\tKelbrin_DataBarLimited (DataToEncode)",
    "\tKelbrin_DataBarStacked (DataToEncode)",
    "\tKelbrin_DataBarStackedOmni (DataToEncode)",
    "\tKelbrin_DataBarExpanded (DataToEncode, SegmentsPerRow)",
    "\tKelbrin_Mod10 (Data)",
    "\tKelbrin_DataBarExpanded_Set (DataToEncode, SegmentsPerRow)",
    "\tKelbrin_DataBarExpanded_Get",
    nullptr,
};

static_assert(std::size(functionTable) == std::size(functionTemplates));
static_assert(std::size(functionTable) == std::size(functionExamples));

constexpr ufl_list_header functionTableHeader{sizeof(ufl_list_header), functionTable};
constexpr ufl_list_header templatesHeader{sizeof(ufl_list_header), functionTemplates};
constexpr ufl_list_header examplesHeader{sizeof(ufl_list_header), functionExamples};

}  // namespace

namespace Kelbrin::U25Ferrow {

const ufl_list_header* functionTableList() { return &functionTableHeader; }
const ufl_list_header* templateList() { return &templatesHeader; }
const ufl_list_header* exampleList() { return &examplesHeader; }

}  // namespace Kelbrin::U25Ferrow
