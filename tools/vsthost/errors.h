// Failures of the command-line host: each kind of bad input has its own exit
// status, so scripts can tell them apart, and its own one-line message.
#pragma once

#include <stdexcept>
#include <string>

namespace vsthost {

enum class Exit : int {
    ok = 0,
    failure = 1,      // anything not listed below
    usage = 2,        // unknown command or option, missing argument
    missingFile = 3,  // a named input file does not exist
    notPlugin = 4,    // the file is not a loadable VST 2 plug-in library
    refused = 5,      // the entry point gave no instance (e.g. host version check)
    unknownName = 6,  // no such parameter or program, or a capability the plug-in lacks
    badValue = 7,     // a value that is not a number or is out of range
    badAudio = 8,     // the input audio file cannot be read
    cannotWrite = 9,  // an output file cannot be written
    crashed = 10,     // the plug-in crashed (the tool survives it in a child process)
    timedOut = 11,    // the plug-in did not answer within the time limit
};

class ToolError : public std::runtime_error {
public:
    ToolError(Exit code, const std::string& message) : std::runtime_error(message), status(code) {}
    Exit code() const { return status; }

private:
    Exit status;
};

}  // namespace vsthost
