// SPDX-License-Identifier: Apache-2.0
// The entry points the engine calls around the formula functions: version negotiation,
// the lists, error texts and the (empty) job notifications.
#include "function_table.hpp"
#include "parameter_block.hpp"
#include "ufl_engine.h"

#include <array>

using namespace Kelbrin::U25Ferrow;

namespace {

// Texts by error index.
constexpr std::array<const char*, 3> errorTexts = {
    "no error",
    "Data is invalid, or Data is too long",
    "Get/Set call is out of sequence",
};
constexpr const char* unknownErrorText = "unknown error";

// Nothing is tied to a report job.
void ignoreJob(ufl_job_info*) {}

}  // namespace

extern "C" {

UFL_API std::int32_t UFL_CALL UF5Initialize(std::uint32_t offeredVersion)
{
    return offeredVersion >= UFL_INTERFACE_VERSION ? 0 : -1;
}

UFL_API std::uint16_t UFL_CALL UFGetVersion(void)
{
    return UFL_INTERFACE_VERSION;
}

UFL_API std::int32_t UFL_CALL UFTerminate(void)
{
    return 0;
}

UFL_API const ufl_list_header* UFL_CALL UFGetFunctionTemplates(void)
{
    return templateList();
}

UFL_API const ufl_list_header* UFL_CALL UFGetFunctionExamples(void)
{
    return exampleList();
}

UFL_API const ufl_list_header* UFL_CALL UF5GetFunctionDefStrings(void)
{
    return functionTableList();
}

UFL_API const char* UFL_CALL UFErrorRecovery(ufl_param_block* block, ufl_job_info*)
{
    if (block == nullptr)
        return unknownErrorText;
    const std::uint16_t index = errorIndex(*block);
    return index < errorTexts.size() ? errorTexts[index] : unknownErrorText;
}

UFL_API void UFL_CALL UFStartJob(ufl_job_info* job)
{
    ignoreJob(job);
}

UFL_API void UFL_CALL UFEndJob(ufl_job_info* job)
{
    ignoreJob(job);
}

}  // extern "C"
