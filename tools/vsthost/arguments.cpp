#include "arguments.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "errors.h"

namespace vsthost {

Arguments::Arguments(const std::vector<std::string>& input, const std::vector<OptionSpec>& specs) {
    bool onlyPositional = false;
    for (size_t i = 0; i < input.size(); ++i) {
        const std::string& word = input[i];
        if (onlyPositional || word.size() < 3 || word.compare(0, 2, "--") != 0) {
            if (word == "--") {
                onlyPositional = true;
                continue;
            }
            words.push_back(word);
            continue;
        }
        std::string name = word.substr(2);
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionSpec* spec = nullptr;
        for (const auto& s : specs)
            if (s.name == name) spec = &s;
        if (!spec) throw ToolError(Exit::usage, "unknown option --" + name);
        if (!spec->takesValue) {
            if (inlineValue) throw ToolError(Exit::usage, "option --" + name + " takes no value");
            options.emplace_back(name, "");
        } else if (inlineValue) {
            options.emplace_back(name, *inlineValue);
        } else {
            if (i + 1 >= input.size()) throw ToolError(Exit::usage, "option --" + name + " needs a value");
            options.emplace_back(name, input[++i]);
        }
    }
}

bool Arguments::has(const std::string& name) const {
    for (const auto& o : options)
        if (o.first == name) return true;
    return false;
}

std::optional<std::string> Arguments::value(const std::string& name) const {
    std::optional<std::string> last;
    for (const auto& o : options)
        if (o.first == name) last = o.second;
    return last;
}

std::vector<std::string> Arguments::values(const std::string& name) const {
    std::vector<std::string> all;
    for (const auto& o : options)
        if (o.first == name) all.push_back(o.second);
    return all;
}

double parseNumber(const std::string& text, const std::string& what, double min, double max) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(begin, &end);
    bool whole = end != begin && *end == 0 && errno == 0;
    if (!whole || !std::isfinite(v))
        throw ToolError(Exit::badValue, what + ": \"" + text + "\" is not a number");
    if (v < min || v > max) {
        char range[96];
        std::snprintf(range, sizeof(range), " must be from %g to %g", min, max);
        throw ToolError(Exit::badValue, what + ": " + text + range);
    }
    return v;
}

long parseInteger(const std::string& text, const std::string& what, long min, long max) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(begin, &end, 10);
    if (end == begin || *end != 0 || errno != 0)
        throw ToolError(Exit::badValue, what + ": \"" + text + "\" is not a whole number");
    if (v < min || v > max)
        throw ToolError(Exit::badValue,
                        what + ": " + text + " must be from " + std::to_string(min) + " to " +
                            std::to_string(max));
    return v;
}

}  // namespace vsthost
