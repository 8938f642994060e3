// The symbols a built library exports (its dynamic symbol table's defined
// entries), as a host's loader sees them. Reads them with `nm -D`.
#pragma once

#include <cstdio>
#include <set>
#include <string>

inline std::set<std::string> exportedSymbols(const std::string& path) {
    std::set<std::string> names;
    FILE* pipe = popen(("nm -D --defined-only '" + path + "'").c_str(), "r");
    if (!pipe) return names;
    char line[1024], address[64], type[8], name[900];
    while (std::fgets(line, sizeof line, pipe))
        if (std::sscanf(line, "%63s %7s %899s", address, type, name) == 3) names.insert(name);
    pclose(pipe);
    return names;
}
