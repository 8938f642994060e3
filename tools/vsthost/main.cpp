// vsthost: a command-line host for Linux VST 2 plug-ins.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "commands.h"
#include "errors.h"
#include "isolation.h"
#include "plot.h"

namespace {

const char* kUsage =
    "usage: vsthost COMMAND ...\n"
    "\n"
    "  info PLUGIN                    identity, flags, editor size, parameters, programs\n"
    "  render PLUGIN IN OUT           an audio file (WAV, FLAC, AIFF ...) through the plug-in,\n"
    "                                 written at the input's rate and format; mono feeds every input\n"
    "  response PLUGIN --png OUT.png  magnitude response (--csv OUT.csv: table), from the impulse\n"
    "                                 response when the effect is linear and steady, else with sines\n"
    "  scan [FOLDER...]               every VST 2 library in the folders, one line each, each probed\n"
    "                                 in its own process (default: $VST_PATH, ~/.vst, /usr/local/lib/vst,\n"
    "                                 /usr/lib/vst; --timeout SECONDS, default 10)\n"
    "  generate OUT                   a demo or test signal (--signal demo|sine|sweep|noise|silence)\n"
    "\n"
    "Settings (render, response):\n"
    "  --set NAME_OR_INDEX=VALUE      a parameter, normalised 0 to 1 (repeatable, applied in order)\n"
    "  --program N                    select program N first\n"
    "  --precision 32|64              sample precision (64 needs a plug-in that offers it)\n"
    "  --block N                      frames per processing call (default 512)\n"
    "  --host-version N               answer to the plug-in's host version question (default 2400)\n"
    "render: --tail SECONDS (silence after the input), --quiet\n"
    "response: --rate HZ (44100), --from HZ (20), --to HZ (20000), --points N per decade (30),\n"
    "          --level DBFS (-20), --method auto|impulse|sines (auto), --keep-instance (sines: one\n"
    "          instance for every frequency), --quiet\n"
    "generate: --seconds S, --rate HZ (48000), --channels 1|2, --freq HZ, --level DBFS,\n"
    "          --encoding pcm16|pcm24|float (the file type comes from the name)\n"
    "\n"
    "Exit status: 0 done, 2 usage, 3 missing file, 4 not a VST 2 plug-in, 5 plug-in refused to start,\n"
    "6 unknown parameter/program or capability, 7 bad value, 8 unreadable audio, 9 cannot write output,\n"
    "10 the plug-in crashed, 11 the plug-in did not answer in time. Output gathered before a crash is kept.\n"
    "An output is written under a temporary name and renamed when complete.\n";

}  // namespace

namespace vsthost {
namespace {

// Runs one command in this process; its exit status.
int runCommand(const std::string& command, const Words& words) {
    try {
        if (command == "info") runInfo(words);
        else if (command == "render") runRender(words);
        else if (command == "response") {
            struct Release {
                ~Release() { releaseDrawingCaches(); }
            } release;
            runResponse(words);
        }
        else if (command == "scan") return runScan(words);
        else if (command == "generate") runGenerate(words);
        else if (command == "help" || command == "--help" || command == "-h") std::fputs(kUsage, stdout);
        else throw ToolError(Exit::usage, "unknown command \"" + command + "\" (try vsthost help)");
    } catch (const ToolError& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "vsthost: %s\n", e.what());
        return static_cast<int>(e.code());
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "vsthost: %s\n", e.what());
        return static_cast<int>(Exit::failure);
    }
    return std::fflush(stdout) == 0 ? 0 : static_cast<int>(Exit::cannotWrite);
}

}  // namespace
}  // namespace vsthost

int main(int argc, char** argv) {
    using namespace vsthost;
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return static_cast<int>(Exit::usage);
    }
    std::string command = argv[1];
    Words words(argv + 2, argv + argc);
    // The commands that load a plug-in run in a child process: whatever the
    // plug-in does, this process survives to name it.
    if (command != "info" && command != "render" && command != "response") return runCommand(command, words);
    ChildOutcome outcome = runIsolated([&] { return runCommand(command, words); });
    if (outcome.kind == ChildOutcome::exited) return outcome.status;
    std::fprintf(stderr, "vsthost: the plug-in %s\n", describeOutcome(outcome).c_str());
    return static_cast<int>(outcome.kind == ChildOutcome::crashed ? Exit::crashed : Exit::timedOut);
}
