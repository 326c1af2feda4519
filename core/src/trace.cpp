// SPDX-License-Identifier: Apache-2.0
#include "trace.hpp"

#include "process_lock.hpp"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace Kelbrin::Tallowlib {

namespace {

struct trace_sink {
    std::ostream* out = nullptr;
    int minimumLevel = 0;
};

// The one process-wide sink, guarded by its own lock so that installing it while other
// threads trace is safe.
detail::process_lock& sinkLock()
{
    static detail::process_lock lock;
    return lock;
}

trace_sink& sink()
{
    static trace_sink s;
    return s;
}

constexpr int maxTraceLength = 1023;

}  // namespace

void installTraceSink(std::ostream* out, int minimumLevel)
{
    std::lock_guard guard(sinkLock());
    sink() = {out, minimumLevel};
}

void trace(const trace_site& site, const char* format, ...)
{
    std::lock_guard guard(sinkLock());
    const trace_sink& s = sink();
    if (s.out == nullptr || site.level < s.minimumLevel)
        return;

    char line[maxTraceLength + 1];
    int n = std::snprintf(line, sizeof line, "%s%-22s(%d): ", site.prefix, site.function, site.line);
    if (n < 0)
        return;
    if (n < maxTraceLength) {
        std::va_list args;
        va_start(args, format);
        const int m = std::vsnprintf(line + n, sizeof line - static_cast<std::size_t>(n), format, args);
        va_end(args);
        if (m > 0)
            n += m;
    }
    if (n > maxTraceLength)
        n = maxTraceLength;
    s.out->write(line, n);
    *s.out << '\n';
    s.out->flush();
}

}  // namespace Kelbrin::Tallowlib
