// SPDX-License-Identifier: Apache-2.0
// The tool's command line: the symbologies it knows, the options, --help and --version.
#pragma once

#include "tallowlib/symbol_text.hpp"

#include "strivane_render/symbol_png.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tarnwick::Cli {

// Exit statuses.
inline constexpr int badData = 1;
inline constexpr int usageError = 2;
inline constexpr int outputError = 3;

// A file or standard output that cannot be written.
struct output_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct symbology_name {
    std::string_view name;
    Kelbrin::Tallowlib::symbology value;
    bool stacked;  // DataBar Expanded Stacked: takes --segments
    std::string_view description;
};

// The symbology called `name` on the command line, or nullptr.
const symbology_name* symbologyFromName(std::string_view name);

// The name "-" for a file means standard input or standard output.
inline constexpr std::string_view standardStream = "-";

struct options {
    bool raw = false;
    bool rawBytes = false;
    bool human = false;
    bool modules = false;
    std::optional<std::string> svgPath;
    std::optional<int> segments;
    std::optional<std::string> batchInput;  // --batch: "-" for standard input, or a file
    std::vector<std::string_view> positional;
    std::size_t positionalBeforeEnd = SIZE_MAX;  // how many of them came before "--"
    Kelbrin::Render::png_request png;

    bool svgToStdout() const { return svgPath && *svgPath == standardStream; }
    bool pngToStdout() const { return png.path == standardStream; }
    // Whether positional argument k is "-", standard input: after "--" it is data like any other.
    bool isStandardInput(std::size_t k) const { return k < positionalBeforeEnd && positional[k] == standardStream; }
};

// Reads the command line into `opt`; the exit status when the tool is to stop here (after
// --help, --version or a usage error, which it reports on stderr).
std::optional<int> parseOptions(int argc, char** argv, options& opt);

// One line "tarnwick: MESSAGE" on stderr, line breaks in the message made spaces; returns `status`.
int fail(std::string message, int status);

}  // namespace Kelbrin::Tarnwick::Cli
