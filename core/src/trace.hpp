// SPDX-License-Identifier: Apache-2.0
// Diagnostic traces of the encoder core. Silent unless a sink is installed.
#pragma once

#include <ostream>

namespace Kelbrin::Tallowlib {

// Where a trace comes from: function name, source line, category prefix, severity.
struct trace_site {
    const char* function;
    int line;
    const char* prefix;
    int level;
};

// Installs the process-wide trace sink: traces of at least `minimumLevel` are written to
// `out` (one line each, flushed). A null `out` removes the sink. The stream must stay
// valid until it is removed.
void installTraceSink(std::ostream* out, int minimumLevel = 0);

// Writes "prefix" + function left-justified in 22 columns + "(line): " + the formatted
// message, cut to 1023 characters, to the sink if one is installed and the level allows.
void trace(const trace_site& site, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

}  // namespace Kelbrin::Tallowlib
