// SPDX-License-Identifier: Apache-2.0
/* U25Ferrow: the report engine's side of the function-library interface.
 *
 * The engine loads the library, negotiates the interface version, reads the function
 * table and calls the formula functions with a parameter block. The structures below are
 * declared with 2-byte packing and pointer-sized pointers, so the fixed offsets hold on
 * 32-bit and 64-bit builds alike:
 *   parameter block:   result slot at 2, first parameter element at 26;
 *   parameter element: next element at 2, value at 12.
 * Numbers cross the interface in hundredths: a formula value of 4 arrives as 400.0, and a
 * count c is returned as c * 100.
 *
 * Result codes of the formula functions: 0 success; -1 failure with an error index stored
 * in the result slot (its text from UFErrorRecovery); 6 a required parameter is missing;
 * 2 the input is too long (Kelbrin_Mod10); 1 no per-thread buffer (the _Set/_Get pair).
 */
#ifndef U25FERROW_UFL_ENGINE_H
#define U25FERROW_UFL_ENGINE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define UFL_CALL __stdcall
#else
#define UFL_CALL
#endif

/* U25Ferrow.dll exports what callers import; elsewhere the symbols are visible. */
#if defined(_WIN32) && defined(UFL_BUILDING_LIBRARY)
#define UFL_API __declspec(dllexport)
#elif defined(_WIN32)
#define UFL_API __declspec(dllimport)
#elif defined(__GNUC__)
#define UFL_API __attribute__((visibility("default")))
#else
#define UFL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The engine's result buffer for a String function: 254 characters and a zero byte. */
#define UFL_RESULT_BUFFER_SIZE 255
/* The interface version this library speaks, and the least one it accepts. */
#define UFL_INTERFACE_VERSION 0x500

/* Error indexes stored in the result slot by a function that returns -1. */
#define UFL_ERROR_NONE 0
#define UFL_ERROR_INVALID_DATA 1
#define UFL_ERROR_OUT_OF_SEQUENCE 2

/* Result codes of the formula functions. */
#define UFL_SUCCESS 0
#define UFL_FAILED (-1)
#define UFL_NO_THREAD_BUFFER 1
#define UFL_INPUT_TOO_LONG 2
#define UFL_MISSING_PARAMETER 6

#pragma pack(push, 2)

typedef struct ufl_param_element {
    uint16_t reserved0;                     /* offset 0: the engine's */
    struct ufl_param_element* next;         /* offset 2: null after the last */
    uint8_t reserved1[10 - sizeof(void*)];  /* the engine's */
    union {
        const char* string;                 /* String: zero-terminated 8-bit text */
        double number;                      /* Number: in hundredths */
    } value;                                /* offset 12 */
} ufl_param_element;

typedef struct ufl_param_block {
    uint16_t reserved0;          /* offset 0: the engine's */
    union {
        char* string;            /* String function: the engine's result buffer, on entry */
        double number;           /* Number function: the result, in hundredths */
        int32_t errorIndex;      /* after a result of -1 (the engine reads the low 16 bits) */
    } result;                    /* offset 2 */
    uint8_t reserved1[16];       /* the engine's */
    ufl_param_element* firstParameter; /* offset 26: null when there are no parameters */
} ufl_param_block;

typedef int32_t(UFL_CALL* ufl_function)(ufl_param_block* block);

/* One row of the function table; the table ends with a row of zeros. */
typedef struct ufl_function_def {
    const char* definition; /* e.g. "String Kelbrin_DataBar14 (String)" */
    ufl_function function;
    int32_t reserved0;      /* always 0 */
    int32_t reserved1;      /* always 0 */
} ufl_function_def;

/* Hands a list to the engine: the header's own size, then the list's address. The template
 * and example lists are arrays of text pointers ended by a null pointer; the function table
 * is an array of ufl_function_def. */
typedef struct ufl_list_header {
    uint16_t size;          /* sizeof(ufl_list_header): 6 on 32-bit, 10 on 64-bit builds */
    const void* list;
} ufl_list_header;

#pragma pack(pop)

/* Opaque job description passed by the engine. */
typedef struct ufl_job_info ufl_job_info;

/* Entry points the engine calls. */
UFL_API int32_t UFL_CALL UF5Initialize(uint32_t offeredVersion); /* 0 if >= 0x500, else -1 */
UFL_API uint16_t UFL_CALL UFGetVersion(void);                     /* 0x500 */
UFL_API int32_t UFL_CALL UFTerminate(void);                       /* 0 */
UFL_API const ufl_list_header* UFL_CALL UFGetFunctionTemplates(void);
UFL_API const ufl_list_header* UFL_CALL UFGetFunctionExamples(void);
UFL_API const ufl_list_header* UFL_CALL UF5GetFunctionDefStrings(void);
UFL_API const char* UFL_CALL UFErrorRecovery(ufl_param_block* block, ufl_job_info* job);
UFL_API void UFL_CALL UFStartJob(ufl_job_info* job);
UFL_API void UFL_CALL UFEndJob(ufl_job_info* job);

/* Formula functions, in the order of the function table. */
UFL_API int32_t UFL_CALL Kelbrin_Code128_Uni(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_EAN128_Uni(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBar14(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBarLimited(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBarStacked(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBarStackedOmni(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBarExpanded(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_Mod10(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBarExpanded_Set(ufl_param_block* block);
UFL_API int32_t UFL_CALL Kelbrin_DataBarExpanded_Get(ufl_param_block* block);

#ifdef __cplusplus
}  /* extern "C" */

static_assert(offsetof(ufl_param_block, result) == 2);
static_assert(offsetof(ufl_param_block, firstParameter) == 26);
static_assert(offsetof(ufl_param_element, next) == 2);
static_assert(offsetof(ufl_param_element, value) == 12);
static_assert(sizeof(ufl_list_header) == 2 + sizeof(void*));
static_assert(sizeof(ufl_function_def) == 2 * sizeof(void*) + 8);
#endif

#endif /* U25FERROW_UFL_ENGINE_H */
