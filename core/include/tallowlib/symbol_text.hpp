// SPDX-License-Identifier: Apache-2.0
// One request from input text to printed font text: the step every entry point shares.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace Kelbrin::Tallowlib {

enum class symbology {
    code128,
    gs1_128,
    databar14,
    databar_limited,
    databar_stacked,
    databar_stacked_omni,
    databar_expanded,  // one row or stacked, by the segments per row
};

// Runs the symbology's encoder on the zero-terminated `input` and fills `lines` with the
// printed lines of font text (one for one-row symbols). The segments per row are used by
// DataBar Expanded only and normalised there. Throws the barlib_error family (or a
// standard exception) on failure; `lines` is then unspecified.
void encodeFontLines(symbology s, const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                     std::string* humanReadable = nullptr);

// DataBar-14, Limited, Stacked and Stacked Omnidirectional read 13 digits as an indicator
// digit and 12 digits, the check digit computed. When the 13 digits of `input` also end in
// the check digit of the first 12, as an EAN-13 written with its check digit does, those 13
// digits (the caller may have meant that EAN-13, which is written with a leading 0); else,
// and for the other symbologies, an empty text. Throws as encodeFontLines does on input
// the symbology refuses.
std::string ean13LookAlike(symbology s, const char* input);

// Where a library call keeps its lines: elsewhere than on Windows, the calling thread's own
// lines, whose storage is reused from call to call (the C library keeps a shared library mapped
// until a thread's thread-local objects are gone); on Windows `callOwned` itself, since a DLL
// keeps no thread-local object with a destructor: it would run after FreeLibrary, or never.
std::vector<std::string>& threadLines(std::vector<std::string>& callOwned);

// Lines joined with "\r\n", none after the last.
std::string joinLines(const std::vector<std::string>& lines);
// The size of the joined text, and the joined text written to `out` (which holds that many bytes).
std::size_t joinedSize(const std::vector<std::string>& lines);
void joinLines(const std::vector<std::string>& lines, char* out);

}  // namespace Kelbrin::Tallowlib
