// SPDX-License-Identifier: Apache-2.0
// Test support: what a shared library exports, as `nm -D` lists it.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace strivane::exports {

// The lines a shell command prints, without their line ends; none when it cannot be run.
std::vector<std::string> commandLines(const std::string& command);

// The symbol names `nm -D <nmOptions> <library>` lists (e.g. "--defined-only"), without
// their symbol versions; `versionNode`, the version script's node, is left out.
std::set<std::string> dynamicSymbols(const std::string& library, const std::string& nmOptions,
                                     const std::string& versionNode);

}  // namespace strivane::exports
