// Command-line options of one subcommand: `--name value`, `--name=value` and
// flags, in any order among the positional arguments.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vsthost {

struct OptionSpec {
    std::string name;  // without the leading dashes
    bool takesValue;
};

class Arguments {
public:
    // Throws ToolError(usage) for an option not in specs or a missing value.
    Arguments(const std::vector<std::string>& words, const std::vector<OptionSpec>& specs);

    const std::vector<std::string>& positional() const { return words; }
    bool has(const std::string& name) const;
    // The last value given for name, if any.
    std::optional<std::string> value(const std::string& name) const;
    // Every value given for name, in order.
    std::vector<std::string> values(const std::string& name) const;

private:
    std::vector<std::string> words;
    std::vector<std::pair<std::string, std::string>> options;
};

// Strict number parsing: the whole text must be a finite number within
// [min, max]; otherwise ToolError(badValue) naming `what`.
double parseNumber(const std::string& text, const std::string& what, double min, double max);
long parseInteger(const std::string& text, const std::string& what, long min, long max);

}  // namespace vsthost
