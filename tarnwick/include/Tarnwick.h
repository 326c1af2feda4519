// SPDX-License-Identifier: Apache-2.0
/* Tarnwick: barcode font text for GS1 DataBar, Code 128 and GS1-128.
 *
 * Every encoder function takes a zero-terminated 8-bit input text and fills a
 * caller-owned buffer of `size` bytes (compared as an unsigned number) with the
 * font text and a terminating zero. Stacked symbols are several lines joined by
 * "\r\n". Result of the seven encoder functions:
 *   -1  the input is empty (or null), or it cannot be encoded; nothing written
 *    0  the buffer is too small (a negative size counts as too small); nothing
 *       written (DataBarExpanded: see below)
 *    n  n bytes of font text plus a zero byte were written
 * After -1 or 0, TarnwickLastError tells why. The functions may be called from several
 * threads at once.
 */
#ifndef TARNWICK_H
#define TARNWICK_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define TARNWICK_CALL __stdcall
#else
#define TARNWICK_CALL
#endif

/* Tarnwick.dll exports what callers import; elsewhere the symbols are visible. */
#if defined(_WIN32) && defined(TARNWICK_BUILDING_LIBRARY)
#define TARNWICK_API __declspec(dllexport)
#elif defined(_WIN32)
#define TARNWICK_API __declspec(dllimport)
#elif defined(__GNUC__)
#define TARNWICK_API __attribute__((visibility("default")))
#else
#define TARNWICK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Code 128 with automatic code sets; "~" escapes for control and function characters. */
TARNWICK_API int TARNWICK_CALL Code128_Uni(const char* input, char* output, int32_t size);
/* GS1-128 from element strings "(AI)data(AI)data...". */
TARNWICK_API int TARNWICK_CALL EAN128_Uni(const char* input, char* output, int32_t size);
/* GS1 DataBar-14 Omnidirectional from the 13 digits of a GTIN (check digit computed). */
TARNWICK_API int TARNWICK_CALL DataBar14(const char* input, char* output, int32_t size);
/* GS1 DataBar Limited (indicator digit 0 or 1). */
TARNWICK_API int TARNWICK_CALL DataBarLimited(const char* input, char* output, int32_t size);
/* GS1 DataBar Stacked: one line of three-cell column characters. */
TARNWICK_API int TARNWICK_CALL DataBarStacked(const char* input, char* output, int32_t size);
/* GS1 DataBar Stacked Omnidirectional: two lines. */
TARNWICK_API int TARNWICK_CALL DataBarStackedOmni(const char* input, char* output, int32_t size);
/* GS1 DataBar Expanded (segmentsPerRow 22 or out of range: one row) and Expanded Stacked.
 * On a result of 0 the lines that fitted may already be in the buffer, unterminated. Each line
 * is also handed to the debugger: OutputDebugString on Windows; elsewhere standard error, with
 * the prefix "Tarnwick: ", when the environment variable TARNWICK_DEBUG_OUTPUT is not empty. */
TARNWICK_API int TARNWICK_CALL DataBarExpanded(const char* input, int32_t segmentsPerRow, char* output,
                                               int32_t size);
/* GS1 modulo-10 check digit (0..9) of a digit text; "" gives 0. */
TARNWICK_API int TARNWICK_CALL getMod10CheckDigit(const char* digits);

/* The calling thread's last diagnostic (what is wrong, where, what is expected), set by
 * every encoder function that returns -1 or 0 and cleared by one that succeeds. Bytes
 * outside printable ASCII are shown as \xNN. Result: n (the text and a zero byte written),
 * 0 (the buffer is too small; nothing written) or -1 (nothing to report). */
TARNWICK_API int TARNWICK_CALL TarnwickLastError(char* output, int32_t size);

/* Version of the library, laid out like a fixed file-version record:
 * fileVersionMS = major << 16 | minor, fileVersionLS = letter value << 16 | build. */
typedef struct TarnwickVersion {
    const char* productName;
    uint32_t fileVersionMS;
    uint32_t fileVersionLS;
} TarnwickVersion;

TARNWICK_API extern const TarnwickVersion TarnwickVersionInfo;

#ifdef __cplusplus
}
#endif

#endif /* TARNWICK_H */
