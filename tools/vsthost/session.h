// One plug-in instance as the command-line host runs it: loads the library,
// checks what it hands back, answers the plug-in's questions like a host, and
// applies the user's program and parameter settings.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hosting/plugin_host.h"

namespace vsthost {

class Arguments;

// The user's settings: a program, then parameters in the order given.
struct Settings {
    int program = -1;                                          // -1: keep the plug-in's
    std::vector<std::pair<std::string, std::string>> values;  // NAME_OR_INDEX, VALUE texts

    // From --program N and every --set NAME_OR_INDEX=VALUE; throws ToolError.
    static Settings from(const Arguments& arguments);
};

class Session {
public:
    // Loads and instantiates; throws ToolError (missingFile, notPlugin, refused).
    // hostVersion is the answer to audioMasterVersion.
    explicit Session(const std::string& path, long hostVersion = 2400);
    ~Session();

    hosting::Plugin& plugin() { return *instance; }
    AEffect& record() { return *instance->effect(); }
    const hosting::Library& library() const { return *lib; }

    // effOpen; then the rate (Hz, > 0) and maximum block size the host will use.
    // Selects the program again so its values are designed at this rate.
    void prepare(double sampleRate, int blockSize, const Settings& settings);
    // Applies --set values in order; throws ToolError (unknownName, badValue).
    // Returns one line per value set: "Name = value (display label)".
    std::vector<std::string> apply(const Settings& settings);

    // The index of a parameter named (exactly, or ignoring case and spaces at
    // the ends) or numbered by text; throws ToolError(unknownName).
    int findParameter(const std::string& nameOrIndex);
    // "Name = 0.5 (+6.00 dB)" for parameter index.
    std::string describeParameter(int index);

    // Forgets the host calls recorded so far (long renders would pile them up).
    void clearCallLog() { host.clearCalls(); }

private:
    hosting::Host host;
    std::unique_ptr<hosting::Library> lib;
    std::unique_ptr<hosting::Plugin> instance;
    std::atomic<double> rate{44100.0};
    std::atomic<long> block{1024};
};

// Printable form of a text a plug-in wrote: control bytes become '?'.
std::string printable(const std::string& text);

}  // namespace vsthost
