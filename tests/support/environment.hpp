// SPDX-License-Identifier: Apache-2.0
// Setting and removing an environment variable on every platform the tests run on.
#pragma once

#include <cstdlib>

namespace strivane::test {

// Sets `name` to `value`, or removes it when `value` is null.
inline void setEnvironment(const char* name, const char* value)
{
#ifdef _WIN32
    _putenv_s(name, value != nullptr ? value : "");  // an empty value removes it
#else
    if (value != nullptr)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
#endif
}

}  // namespace strivane::test
