// SPDX-License-Identifier: Apache-2.0
#include "data_input.hpp"

#include "options.hpp"

#include "tallowlib/errors.hpp"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace Kelbrin::Tarnwick::Cli {

namespace error_text = Kelbrin::Tallowlib::error_text;
using Kelbrin::Tallowlib::invalid_character_error;

namespace {

// The UTF-8 bytes of character `index` (from 0) of valid UTF-8 `text`.
std::string_view utf8Character(std::string_view text, std::size_t index)
{
    const auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    std::size_t begin = 0;
    for (std::size_t seen = 0; begin < text.size(); ++begin)
        if (!isContinuation(text[begin]) && seen++ == index)
            break;
    std::size_t end = begin + 1;
    while (end < text.size() && isContinuation(text[end]))
        ++end;
    return text.substr(begin, end - begin);
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

data_converter::data_converter(bool rawBytes)
    : rawBytes_(rawBytes), toCodePoints_(iconv_open("UTF-32LE", "UTF-8"))
{
    if (toCodePoints_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("no UTF-8 conversion available");
}

data_converter::~data_converter() { iconv_close(toCodePoints_); }

// The code points of UTF-8 `text` in codes_. Throws invalid_character_error where the text
// stops being UTF-8.
void data_converter::decode(std::string_view text)
{
    codes_.assign(text.size(), U'\0');
    char* in = const_cast<char*>(text.data());
    char* out = reinterpret_cast<char*>(codes_.data());
    std::size_t inLeft = text.size();
    std::size_t outLeft = codes_.size() * sizeof(char32_t);
    iconv(toCodePoints_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(toCodePoints_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        throw invalid_character_error(error_text::invalidCharacterInData, 1,
                                      "byte " + std::to_string(in - text.data() + 1) +
                                          " is not UTF-8 (--raw-bytes takes the data as bytes)");
    codes_.resize(codes_.size() - outLeft / sizeof(char32_t));
}

const std::string& data_converter::bytesOf(std::string_view text)
{
    if (rawBytes_ || isAscii(text)) {
        bytes_.assign(text);
        return bytes_;
    }
    decode(text);
    bytes_.clear();
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        if (codes_[i] > 0xFF) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codes_[i]));
            throw invalid_character_error(error_text::invalidCharacterInData, 1,
                                          "character " + std::to_string(i + 1) + " \"" +
                                              std::string(utf8Character(text, i)) + "\" (" + code +
                                              ") has no Latin-1 code");
        }
        bytes_ += static_cast<char>(codes_[i]);
    }
    return bytes_;
}

refusal currentRefusal()
{
    try {
        throw;
    } catch (const Kelbrin::Tallowlib::barlib_error& e) {
        return {e.diagnostic.empty() ? e.message : e.diagnostic, badData};
    } catch (const output_error& e) {
        return {e.what(), outputError};
    } catch (const std::exception& e) {
        return {e.what(), badData};
    }
}

bool readLine(std::FILE* in, std::string& line)
{
    line.clear();
    int c = 0;
    while ((c = std::getc(in)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty())
        return false;
    if (c == '\n' && !line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

void writeFile(const std::string& path, std::string_view content)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw output_error("cannot write " + path);
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    if (std::fclose(file) != 0 || !written)
        throw output_error("cannot write " + path);
}

void writeStandardOutput(std::string_view content)
{
    if (std::fwrite(content.data(), 1, content.size(), stdout) != content.size() || std::fflush(stdout) != 0)
        throw output_error("cannot write to standard output");
}

}  // namespace Kelbrin::Tarnwick::Cli
