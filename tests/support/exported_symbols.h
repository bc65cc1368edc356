// The names a shared library defines in its dynamic symbol table, as `nm -D --defined-only`
// lists them, without symbol versions.
#pragma once

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

namespace orvel::testing {

inline std::set<std::string> DefinedDynamicSymbols(const std::string& library_path)
{
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only " + library_path;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name.substr(0, name.find('@')));
    }
    return names;
}

}  // namespace orvel::testing
