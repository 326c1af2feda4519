// SPDX-License-Identifier: Apache-2.0
// Data as the tool receives it, made the bytes the encoders take, and the outputs it writes.
#pragma once

#include <iconv.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace Kelbrin::Tarnwick::Cli {

// UTF-8 text to Latin-1 bytes, the encoders' character set (or the bytes as they are). Opens
// its converter once, for the many lines of a batch.
class data_converter {
public:
    explicit data_converter(bool rawBytes);
    ~data_converter();
    data_converter(const data_converter&) = delete;
    data_converter& operator=(const data_converter&) = delete;

    // The bytes to encode, valid until the next call. A character without a Latin-1 code is
    // refused, never replaced: throws invalid_character_error, as for bytes that are not UTF-8.
    const std::string& bytesOf(std::string_view text);

private:
    void decode(std::string_view text);

    bool rawBytes_;
    iconv_t toCodePoints_;
    std::u32string codes_;
    std::string bytes_;
};

// Why the exception being handled stopped a symbol: its one-line message and exit status.
// Call it inside a catch block.
struct refusal {
    std::string message;
    int status;
};
refusal currentRefusal();

// One line of `in` (without its LF or CR LF) in `line`; false at the end of the input.
bool readLine(std::FILE* in, std::string& line);

// Throw output_error when the file or standard output cannot be written.
void writeFile(const std::string& path, std::string_view content);
void writeStandardOutput(std::string_view content);

}  // namespace Kelbrin::Tarnwick::Cli
