// SPDX-License-Identifier: Apache-2.0
/* Both public headers as a C program built with MSVC sees them: the functions imported from
 * the DLLs (taking their address needs the import), stdcall on 32-bit, the version record
 * readable, and the engine structures at their fixed offsets. Checked with
 * clang --target=*-pc-windows-msvc -fsyntax-only. */
#include "Tarnwick.h"
#include "ufl_engine.h"

#include <stddef.h>

#define CHECK(name, condition) typedef char name[(condition) ? 1 : -1]

CHECK(result_slot_at_2, offsetof(ufl_param_block, result) == 2);
CHECK(first_parameter_at_26, offsetof(ufl_param_block, firstParameter) == 26);
CHECK(next_element_at_2, offsetof(ufl_param_element, next) == 2);
CHECK(value_at_12, offsetof(ufl_param_element, value) == 12);
CHECK(list_header_packed, sizeof(ufl_list_header) == 2 + sizeof(void*));

int(TARNWICK_CALL* const encoders[])(const char*, char*, int32_t) = {
    Code128_Uni, EAN128_Uni, DataBar14, DataBarLimited, DataBarStacked, DataBarStackedOmni};
int(TARNWICK_CALL* const expanded)(const char*, int32_t, char*, int32_t) = DataBarExpanded;
int(TARNWICK_CALL* const mod10)(const char*) = getMod10CheckDigit;
int(TARNWICK_CALL* const lastError)(char*, int32_t) = TarnwickLastError;
const ufl_function formulas[] = {Kelbrin_Code128_Uni,        Kelbrin_EAN128_Uni,     Kelbrin_DataBar14,
                                 Kelbrin_DataBarLimited,     Kelbrin_DataBarStacked, Kelbrin_DataBarStackedOmni,
                                 Kelbrin_DataBarExpanded,    Kelbrin_Mod10,          Kelbrin_DataBarExpanded_Set,
                                 Kelbrin_DataBarExpanded_Get};
int32_t(UFL_CALL* const initialize)(uint32_t) = UF5Initialize;
uint16_t(UFL_CALL* const version)(void) = UFGetVersion;
const ufl_list_header*(UFL_CALL* const lists[])(void) = {UFGetFunctionTemplates, UFGetFunctionExamples,
                                                         UF5GetFunctionDefStrings};
const char*(UFL_CALL* const recovery)(ufl_param_block*, ufl_job_info*) = UFErrorRecovery;
void(UFL_CALL* const jobs[])(ufl_job_info*) = {UFStartJob, UFEndJob};

uint32_t majorVersion(void)
{
    return TarnwickVersionInfo.fileVersionMS >> 16;
}
