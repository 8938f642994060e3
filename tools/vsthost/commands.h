// The subcommands. Each takes the words after its name, writes its results
// to stdout (messages to stderr) and throws ToolError on bad input.
#pragma once

#include <string>
#include <vector>

namespace vsthost {

using Words = std::vector<std::string>;

void runInfo(const Words& words);
void runRender(const Words& words);
void runResponse(const Words& words);
void runGenerate(const Words& words);
// Returns the exit status (a failed library is a result, not an error).
int runScan(const Words& words);

// The answer to audioMasterVersion from --host-version (default 2400).
class Arguments;
long hostVersionFrom(const Arguments& arguments);

}  // namespace vsthost
