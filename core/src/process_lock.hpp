// SPDX-License-Identifier: Apache-2.0
// The lock a process shares across threads: an SRW lock on Windows, whose C++ library in the
// win32 thread model has no std::mutex, and std::mutex elsewhere. Both start unlocked without
// a constructor that runs code and leave nothing to release, so a function-local static one
// is safe to use from a library that is loaded and unloaded at any time.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <mutex>
#endif

namespace Kelbrin::Tallowlib::detail {

#ifdef _WIN32
class process_lock {
public:
    process_lock() = default;
    process_lock(const process_lock&) = delete;
    process_lock& operator=(const process_lock&) = delete;

    void lock() noexcept { AcquireSRWLockExclusive(&lock_); }
    void unlock() noexcept { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
};
#else
using process_lock = std::mutex;
#endif

}  // namespace Kelbrin::Tallowlib::detail
