// SPDX-License-Identifier: Apache-2.0
#include "exported_symbols.hpp"

#include <array>
#include <cstdio>
#include <memory>

namespace strivane::exports {

std::vector<std::string> commandLines(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<std::string> lines;
    if (!pipe)
        return lines;
    std::array<char, 512> line{};
    while (fgets(line.data(), static_cast<int>(line.size()), pipe.get())) {
        std::string s(line.data());
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        lines.push_back(s);
    }
    return lines;
}

std::set<std::string> dynamicSymbols(const std::string& library, const std::string& nmOptions,
                                     const std::string& versionNode)
{
    std::set<std::string> names;
    for (const std::string& s : commandLines("nm -D " + nmOptions + " " + library)) {
        const auto space = s.rfind(' ');
        std::string name = space == std::string::npos ? s : s.substr(space + 1);
        if (const auto at = name.find('@'); at != std::string::npos)
            name.erase(at);  // symbol version suffix
        if (!name.empty() && name != versionNode)
            names.insert(name);
    }
    return names;
}

}  // namespace strivane::exports
