// A hostile host: drives built plug-in libraries with seeded random calls and
// checks what a careful host relies on. The same seed replays the same calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dsp/recovery.h"
#include "hosting/plugin_host.h"

namespace hostile {

// splitmix64: small, fast and the same on every machine.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n); n > 0.
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }
    bool oneIn(std::uint32_t n) { return below(n) == 0; }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t state;
};

// The seed a plug-in's sequence starts from: a run's seed mixed with its name,
// so one plug-in replays alone with the same calls.
std::uint64_t pluginSeed(std::uint64_t seed, const std::string& name);

// The most bytes (terminator included) a host's buffer holds for each text
// opcode; parameter names are checked against a generous 64.
int textLimit(VstInt32 opcode);
// The text opcodes the host checks, in report order.
const std::vector<VstInt32>& textOpcodes();
const char* opcodeName(VstInt32 opcode);

// What one text opcode wrote, over a whole run.
struct TextUse {
    long calls = 0;
    int mostBytes = 0;      // bytes changed in the host's buffer
    int longestText = 0;    // characters before the terminator, plus one
};

// Legal automation faster than the audio: `changes` random legal changes
// (values 0 to 1, one in seven a program change) before every block of
// `blockFrames` frames, on noise of amplitude 0.5.
struct AutomationResult {
    double peak = 0;
    long nonFinite = 0;
    long firstNonFiniteFrame = -1;
    long frames = 0;
};
AutomationResult automateAtAudioRate(hosting::Plugin& plugin, std::uint64_t seed, long frames,
                                     int changes = 8, int blockFrames = 1, bool doublePrecision = false);

// Output above this under legal automation is a filter that ran away and was
// not restarted in time: the level at which the suite's recovery rule calls a
// filter runaway, far past anything a legal setting makes.
inline constexpr double kAutomationBound = dsp::kRunawayLevel;

struct Options {
    std::uint64_t seed = 1;
    long calls = 100000;          // random calls per plug-in
    long automationFrames = 100000;
    int loadCycles = 20;          // unload and reload of each library
    bool mends = false;           // also report non-finite parameter values and text padding
    int hangSeconds = 120;
};

// One kind of fault: how often it was seen and the first call that showed it.
struct Finding {
    long count = 0;
    long firstCall = 0;
    std::string firstContext;  // what else the first one followed, if anything
};

struct Report {
    std::string name;
    long calls = 0;            // random calls (and those of the non-finite value checks)
    long automationCalls = 0;  // parameter, program and processing calls under audio-rate automation
    long frames = 0;
    long instances = 0;
    long loads = 0;
    std::map<std::string, Finding> findings;
    std::map<VstInt32, TextUse> texts;
    AutomationResult automation;
    AutomationResult automationDouble;
    bool doublePrecision = false;
};

// A library the host drives; instances of every library stay alive beside
// the one under test, as in a host with all six loaded.
struct Target {
    std::string name;
    std::string path;
};

// Advances with every call the host makes; a watchdog that sees it stand
// still reports a hang, naming what the host was doing.
std::atomic<std::uint64_t>& heartbeat();
std::atomic<const char*>& activity();

// Runs the random host over one library. Never returns on a crash or a
// sanitizer report (those end the process); the report holds the rest.
Report run(const Target& target, const Options& options, const std::string& replayCommand);

}  // namespace hostile
