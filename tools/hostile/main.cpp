// hostile: a seeded random host over the suite's built libraries.
//
//   hostile [--seed N] [--calls N] [--automation-frames N] [--load-cycles N]
//           [--plugin NAME]... [--plugin-dir DIR] [--mends] [--hang-seconds N]
//
// Every plug-in is loaded into one process, then each gets its own sequence
// of random calls (from the seed and its name, so `--plugin NAME` replays it
// alone), load/unload cycles and legal automation faster than the audio.
// Prints per plug-in the calls made, the findings, the peak under automation
// and the bytes each text opcode wrote; exits 1 when anything was found.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tools/hostile/hostile.h"

namespace {

const char* const kSuite[] = {"Tarn", "Vesk", "Faroll", "Gelmira", "Hoverin", "Ilvane"};

[[noreturn]] void usage(const char* message) {
    std::fprintf(stderr,
                 "hostile: %s\nusage: hostile [--seed N] [--calls N] [--automation-frames N] "
                 "[--load-cycles N] [--plugin NAME]... [--plugin-dir DIR] [--mends] [--hang-seconds N]\n",
                 message);
    std::exit(2);
}

long number(const char* text, const char* option) {
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 0);
    if (!end || *end || v < 0) usage((std::string("bad number for ") + option).c_str());
    return static_cast<long>(v);
}

}  // namespace

int main(int argc, char** argv) {
    hostile::Options options;
    std::vector<std::string> names;
    std::string dir = HOSTILE_PLUGIN_DIR;
    bool dirGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> const char* {
            if (i + 1 >= argc) usage(("missing value after " + arg).c_str());
            return argv[++i];
        };
        if (arg == "--seed") options.seed = std::strtoull(next(), nullptr, 0);
        else if (arg == "--calls") options.calls = number(next(), "--calls");
        else if (arg == "--automation-frames") options.automationFrames = number(next(), "--automation-frames");
        else if (arg == "--load-cycles") options.loadCycles = static_cast<int>(number(next(), "--load-cycles"));
        else if (arg == "--plugin") names.push_back(next());
        else if (arg == "--plugin-dir") dir = next(), dirGiven = true;
        else if (arg == "--mends") options.mends = true;
        else if (arg == "--hang-seconds") options.hangSeconds = static_cast<int>(number(next(), "--hang-seconds"));
        else usage(("unknown argument " + arg).c_str());
    }
    if (names.empty()) names.assign(std::begin(kSuite), std::end(kSuite));

    // Every library of the suite stays loaded, with an instance, while one is driven.
    std::vector<std::unique_ptr<hosting::Library>> neighbours;
    std::vector<std::unique_ptr<hosting::Host>> neighbourHosts;
    std::vector<std::unique_ptr<hosting::Plugin>> neighbourInstances;
    for (const char* name : kSuite) {
        std::string error;
        auto library = hosting::Library::load(dir + "/" + name + ".so", error);
        if (!library) continue;
        auto host = std::make_unique<hosting::Host>();
        auto instance = hosting::Plugin::create(*library, *host);
        neighbours.push_back(std::move(library));
        neighbourHosts.push_back(std::move(host));
        neighbourInstances.push_back(std::move(instance));
    }

    std::string replayBase = std::string(argv[0]) + " --seed " + std::to_string(options.seed) + " --calls " +
                             std::to_string(options.calls) + " --automation-frames " +
                             std::to_string(options.automationFrames) + " --load-cycles " +
                             std::to_string(options.loadCycles) + (options.mends ? " --mends" : "") +
                             (dirGiven ? " --plugin-dir " + dir : "");
    std::string current;

    // A watchdog: no call returning for hangSeconds is a hang.
    std::thread([&options, &current] {
        std::uint64_t last = hostile::heartbeat().load();
        int still = 0;
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const std::uint64_t now = hostile::heartbeat().load();
            still = now == last ? still + 1 : 0;
            last = now;
            if (still >= options.hangSeconds) {
                std::fprintf(stderr, "hostile: HANG: no call returned for %d s during %s; replay: %s\n",
                             options.hangSeconds, hostile::activity().load(), current.c_str());
                std::fflush(stderr);
                std::abort();
            }
        }
    }).detach();

    int failed = 0;
    std::vector<hostile::Report> reports;
    for (const std::string& name : names) {
        current = replayBase + " --plugin " + name;
        reports.push_back(hostile::run({name, dir + "/" + name + ".so"}, options, current));
        const hostile::Report& r = reports.back();
        std::printf("%s: %ld random calls (%ld frames, %ld instances, %ld loads), %ld calls under automation\n",
                    name.c_str(), r.calls, r.frames, r.instances, r.loads, r.automationCalls);
        if (r.automation.frames > 0) {
            std::printf("  peak under audio-rate automation: %.4g (32-bit)", r.automation.peak);
            if (r.doublePrecision) std::printf(", %.4g (64-bit)", r.automationDouble.peak);
            std::printf("\n");
        }
        std::printf("  bytes written (most / longest text with terminator):");
        for (VstInt32 op : hostile::textOpcodes()) {
            auto it = r.texts.find(op);
            if (it == r.texts.end() || it->second.mostBytes == 0) continue;
            std::printf(" %s %d/%d", hostile::opcodeName(op) + 3, it->second.mostBytes, it->second.longestText);
        }
        std::printf("\n");
        if (r.findings.empty()) std::printf("  findings: none\n");
        for (const auto& [what, f] : r.findings)
            std::printf("  FINDING: %s (%ld times, first at call %ld%s%s)\n", what.c_str(), f.count, f.firstCall,
                        f.firstContext.empty() ? "" : "; ", f.firstContext.c_str());
        if (!r.findings.empty()) {
            ++failed;
            std::printf("  replay: %s\n", current.c_str());
        }
        std::fflush(stdout);
    }
    std::printf("hostile: %zu plug-ins without findings, %d with\n", names.size() - failed, failed);
    return failed ? 1 : 0;
}
