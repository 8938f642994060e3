#include "tools/hostile/hostile.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace hostile {
namespace {

constexpr int kBufferBytes = 1024;
constexpr unsigned char kCanary = 0xa5;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::uint64_t fnv(const std::string& s) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

std::string number(double v) {
    char text[64];
    std::snprintf(text, sizeof(text), "%g", v);
    return text;
}

// A host's buffer for what a plug-in writes: filled with a canary so that
// every byte written shows.
struct CanaryBuffer {
    CanaryBuffer() { std::memset(bytes, kCanary, sizeof(bytes)); }
    int touched() const {
        int last = 0;
        for (int i = 0; i < kBufferBytes; ++i)
            if (bytes[i] != kCanary) last = i + 1;
        return last;
    }
    unsigned char bytes[kBufferBytes];
};

bool isText(VstInt32 opcode) { return textLimit(opcode) > 0; }

// Opcodes whose pointer is a structure the plug-in reads: handed zeroed.
bool readsStructure(VstInt32 opcode) {
    switch (opcode) {
    case effProcessEvents:
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun:
    case effProcessVarIo:
    case effBeginLoadBank:
    case effBeginLoadProgram:
        return true;
    default:
        return false;
    }
}

// Opcodes that take a parameter index.
bool takesParameter(VstInt32 opcode) {
    switch (opcode) {
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effCanBeAutomated:
    case effString2Parameter:
    case effGetParameterProperties:
        return true;
    default:
        return false;
    }
}

const float kHostileRates[] = {0.0f, -44100.0f, kNaN, kInf, -kInf, 1.0f, 100.0f, 8000.0f,
                               22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 384000.0f,
                               1e7f, 1e30f, 1e-40f, FLT_MAX};
const float kOddValues[] = {-1.0f, 2.0f, 1.5f, -0.5f, 1e30f, -1e30f, 1e-40f, -1e-40f,
                            FLT_MAX, -FLT_MAX, 100.0f, 1.0000001f, -0.0f};
const float kNonFinite[] = {kNaN, kInf, -kInf};
const float kBursts[] = {kNaN, kInf, -kInf, 1e30f, -1e30f, 1e-40f, FLT_MAX, 0.0f};
const char* const kCanDo[] = {"receiveVstEvents", "receiveVstMidiEvent", "sendVstEvents",
                              "bypass", "plugAsChannelInsert", "plugAsSend", "mixDryWet",
                              "1in1out", "2in2out", "", "x", "receiveVstTimeInfo",
                              "offline", "noRealTime", "conformsToWindowRules"};

VstInt32 hostileIndex(Rng& rng, VstInt32 count) {
    switch (rng.below(8)) {
    case 0: return -1;
    case 1: return count;
    case 2: return INT_MIN;
    case 3: return INT_MAX;
    case 4: return static_cast<VstInt32>(rng.next());
    default: return count > 0 ? static_cast<VstInt32>(rng.below(static_cast<std::uint32_t>(count))) : 0;
    }
}

VstIntPtr hostileValue(Rng& rng) {
    switch (rng.below(8)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return -1;
    case 3: return static_cast<VstIntPtr>(rng.below(64));
    case 4: return INTPTR_MAX;
    case 5: return INTPTR_MIN;
    case 6: return static_cast<VstIntPtr>(rng.next());
    default: return static_cast<VstIntPtr>(rng.below(100000));
    }
}

float hostileOpt(Rng& rng) {
    switch (rng.below(6)) {
    case 0: return 0.0f;
    case 1: return 1.0f;
    case 2: return kNonFinite[rng.below(3)];
    case 3: return kHostileRates[rng.below(std::size(kHostileRates))];
    default: return static_cast<float>(rng.unit() * 2.0 - 0.5);
    }
}

// Drives one library: its instances, its reloads and what they show.
class Session {
public:
    Session(const Target& target, const Options& options, Report& report)
        : target(target), options(options), report(report),
          rng(pluginSeed(options.seed, target.name)) {}

    bool load() {
        plugin.reset();
        library.reset();
        std::string error;
        library = hosting::Library::load(target.path, error);
        if (!library) {
            find("library does not load: " + error);
            return false;
        }
        ++report.loads;
        return recreate();
    }

    bool recreate() {
        plugin.reset();
        host.clearCalls();
        plugin = hosting::Plugin::create(*library, host);
        if (!plugin) {
            find("entry point gives no record");
            return false;
        }
        ++report.instances;
        nonFiniteParameter = oddParameter = oddRate = false;
        AEffect* e = plugin->effect();
        report.doublePrecision = (e->flags & effFlagsCanDoubleReplacing) && e->processDoubleReplacing;
        plugin->setSampleRate(44100.0f);
        plugin->setBlockSize(512);
        plugin->resume();
        return true;
    }

    void randomCalls(long calls) {
        for (long i = 0; i < calls && plugin; ++i) {
            ++report.calls;
            ++heartbeat();
            const std::uint32_t kind = rng.below(1000);
            if (kind < 330) {
                dispatch();
            } else if (kind < 560) {
                setParameter();
            } else if (kind < 620) {
                activity() = "getParameter";
                const AEffect* e = plugin->effect();
                plugin->getParameter(rng.oneIn(4) ? hostileIndex(rng, e->numParams)
                                                  : static_cast<VstInt32>(rng.below(std::max(1, e->numParams))));
            } else if (kind < 998) {
                process();
            } else if (kind < 999) {
                activity() = "instance re-creation";
                recreate();
            } else if (rng.oneIn(10)) {
                activity() = "library reload";
                load();
            }
        }
        activity() = "idle";
    }

    void loadCycles(int cycles) {
        for (int i = 0; i < cycles; ++i) {
            activity() = "load/unload cycle";
            ++heartbeat();
            if (!load()) return;
            processOnce(256);
        }
    }

    // Non-finite parameter values: twin instances with the same settings, one
    // then handed NaN or an infinity; anything it changes is reported.
    void nonFiniteValues() {
        AEffect* e = plugin ? plugin->effect() : nullptr;
        if (!e) return;
        for (VstInt32 index = 0; index < e->numParams; ++index) {
            std::string name, values;
            bool readBack = false, display = false, program = false, output = false;
            double worst = 0;
            for (float bad : kNonFinite) {
                activity() = "non-finite parameter value";
                ++heartbeat();
                hosting::Host hostA, hostB;
                auto a = hosting::Plugin::create(*library, hostA);
                auto b = hosting::Plugin::create(*library, hostB);
                if (!a || !b) return;
                for (auto* p : {a.get(), b.get()}) {
                    p->setSampleRate(44100.0f);
                    p->setBlockSize(512);
                    p->resume();
                }
                Rng settings(rng.next());
                for (VstInt32 k = 0; k < e->numParams; ++k) {
                    const float v = static_cast<float>(settings.unit());
                    a->setParameter(k, v);
                    b->setParameter(k, v);
                }
                name = a->parameterName(index);
                a->setParameter(index, bad);
                report.calls += 2 * e->numParams + 1;
                bool changed = false;
                for (VstInt32 k = 0; k < e->numParams; ++k) {
                    const float va = a->getParameter(k), vb = b->getParameter(k);
                    if (std::memcmp(&va, &vb, sizeof(va)) != 0) readBack = changed = true;
                    if (a->parameterDisplay(k) != b->parameterDisplay(k)) display = changed = true;
                }
                if (a->program() != b->program() || a->programName() != b->programName())
                    program = changed = true;
                std::vector<float> la(4096), ra(4096);
                for (size_t k = 0; k < la.size(); ++k) la[k] = ra[k] = static_cast<float>(settings.unit() - 0.5);
                std::vector<float> lb = la, rb = ra;
                a->processStereo(la, ra);
                b->processStereo(lb, rb);
                if (std::memcmp(la.data(), lb.data(), la.size() * sizeof(float)) != 0 ||
                    std::memcmp(ra.data(), rb.data(), ra.size() * sizeof(float)) != 0) {
                    output = changed = true;
                    for (size_t k = 0; k < la.size(); ++k)
                        worst = std::max({worst, std::fabs(double(la[k])), std::fabs(double(ra[k]))});
                }
                if (changed) values += (values.empty() ? "" : ", ") + number(bad);
            }
            if (values.empty()) continue;
            std::string what;
            for (auto [hit, text] : {std::pair{readBack, "read-back"}, std::pair{display, "display"},
                                     std::pair{program, "program"}, std::pair{output, "output"}})
                if (hit) what += std::string(what.empty() ? "" : ", ") + text;
            find("non-finite value changes " + what + ": " + name + " = " + values +
                 (output ? " (output peak " + number(worst) + ")" : ""));
        }
    }

    hosting::Plugin* instance() { return plugin.get(); }

private:
    void find(const std::string& what, const std::string& context = "") {
        Finding& f = report.findings[what];
        if (f.count++ == 0) {
            f.firstCall = report.calls;
            f.firstContext = context;
        }
    }

    void setParameter() {
        activity() = "setParameter";
        const AEffect* e = plugin->effect();
        const VstInt32 index = rng.oneIn(8) ? hostileIndex(rng, e->numParams)
                                            : static_cast<VstInt32>(rng.below(std::max(1, e->numParams)));
        float value;
        const std::uint32_t r = rng.below(100);
        if (r < 80) {
            value = rng.oneIn(10) ? static_cast<float>(rng.below(2)) : static_cast<float>(rng.unit());
        } else if (r < 92) {
            value = kOddValues[rng.below(std::size(kOddValues))];
        } else {
            value = kNonFinite[rng.below(3)];
        }
        const bool valid = index >= 0 && index < e->numParams;
        if (valid && !std::isfinite(value)) nonFiniteParameter = true;
        if (valid && std::isfinite(value) && (value < 0.0f || value > 1.0f)) oddParameter = true;
        plugin->setParameter(index, value);
    }

    void dispatch() {
        activity() = "dispatcher";
        const AEffect* e = plugin->effect();
        VstInt32 opcode;
        const std::uint32_t r = rng.below(100);
        if (r < 40) {
            opcode = textOpcodes()[rng.below(static_cast<std::uint32_t>(textOpcodes().size()))];
        } else if (r < 95) {
            opcode = static_cast<VstInt32>(rng.below(effGetNumMidiOutputChannels + 1));
        } else {
            opcode = rng.oneIn(2) ? static_cast<VstInt32>(80 + rng.below(200)) : static_cast<VstInt32>(rng.next());
        }
        if (opcode == effClose) {
            activity() = "instance re-creation";
            recreate();
            return;
        }
        VstInt32 index = takesParameter(opcode) && !rng.oneIn(8)
                             ? static_cast<VstInt32>(rng.below(std::max(1, e->numParams)))
                             : (opcode == effGetProgramNameIndexed && !rng.oneIn(8)
                                    ? static_cast<VstInt32>(rng.below(std::max(1, e->numPrograms)))
                                    : hostileIndex(rng, e->numParams));
        VstIntPtr value = hostileValue(rng);
        float opt = hostileOpt(rng);
        void* ptr = nullptr;
        CanaryBuffer canary;
        unsigned char zeroed[kBufferBytes] = {};
        std::vector<char> text;
        void* slots[2] = {&canary, &canary};
        const bool null = rng.oneIn(50);

        switch (opcode) {
        case effSetProgram:
            if (!rng.oneIn(8)) value = rng.below(static_cast<std::uint32_t>(std::max(1, e->numPrograms)));
            break;
        case effSetProgramName: {
            // Oversized names too; the buffer ends at the terminator.
            const std::uint32_t length = rng.oneIn(3) ? rng.below(300) : rng.below(30);
            text.resize(length + 1);
            for (std::uint32_t k = 0; k < length; ++k) text[k] = static_cast<char>(1 + rng.below(255));
            text[length] = 0;
            ptr = text.data();
            break;
        }
        case effString2Parameter: {
            const std::string s = rng.oneIn(2) ? number(rng.unit() * 200.0 - 100.0)
                                               : (rng.oneIn(2) ? std::string("nan") : std::string("1e999"));
            text.assign(s.begin(), s.end());
            text.push_back(0);
            ptr = text.data();
            break;
        }
        case effCanDo: {
            const std::string s = kCanDo[rng.below(std::size(kCanDo))];
            text.assign(s.begin(), s.end());
            text.push_back(0);
            ptr = text.data();
            break;
        }
        case effSetChunk:
            value = rng.below(300);
            text.resize(static_cast<size_t>(value) + 1);
            for (char& c : text) c = static_cast<char>(rng.next());
            ptr = text.data();
            break;
        case effGetChunk:
        case effEditGetRect:
            ptr = &slots[0];
            break;
        case effSetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(zeroed);
            ptr = zeroed;
            break;
        case effGetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(&slots[0]);
            ptr = &slots[1];
            break;
        case effSetSampleRate:
            opt = kHostileRates[rng.below(std::size(kHostileRates))];
            if (!(opt >= 8000.0f && opt <= 384000.0f)) oddRate = true;
            break;
        case effSetBlockSize:
            value = rng.oneIn(2) ? static_cast<VstIntPtr>(rng.below(8193)) : hostileValue(rng);
            break;
        case effEditOpen:
            // No parent window: the editor draws offscreen. Opened rarely, it is slow.
            if (!(e->flags & effFlagsHasEditor) || !rng.oneIn(50)) return;
            ptr = nullptr;
            break;
        default:
            if (readsStructure(opcode))
                ptr = zeroed;
            else
                ptr = &canary;
            break;
        }
        if (null && opcode != effSetSpeakerArrangement && opcode != effGetSpeakerArrangement) ptr = nullptr;
        if (null && (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)) value = 0, ptr = nullptr;

        plugin->dispatch(opcode, index, value, ptr, opt);
        if (opcode == effMainsChanged && value == 0 && rng.oneIn(2)) plugin->resume();

        if (isText(opcode) && ptr == &canary) checkText(opcode, canary);
        if (!isText(opcode) && ptr == &canary && opcode > effGetNumMidiOutputChannels && canary.touched())
            find(std::string("unknown opcode ") + std::to_string(opcode) + " writes into the host's buffer");
        if (opcode == effEditOpen) plugin->dispatch(effEditClose);
    }

    void checkText(VstInt32 opcode, const CanaryBuffer& buffer) {
        const int limit = textLimit(opcode);
        const int touched = buffer.touched();
        TextUse& use = report.texts[opcode];
        ++use.calls;
        if (touched == 0) return;
        const void* end = std::memchr(buffer.bytes, 0, static_cast<size_t>(std::min(touched, limit)));
        const int length = end ? static_cast<int>(static_cast<const unsigned char*>(end) - buffer.bytes) + 1 : 0;
        use.mostBytes = std::max(use.mostBytes, touched);
        use.longestText = std::max(use.longestText, length);
        if (touched > limit)
            find(std::string(opcodeName(opcode)) + " writes " + std::to_string(touched) +
                 " bytes into a host buffer of " + std::to_string(limit));
        if (!end) find(std::string(opcodeName(opcode)) + " leaves its text unterminated");
        if (options.mends && end && touched > length)
            find(std::string(opcodeName(opcode)) + " pads its text with zeros to " + std::to_string(touched) +
                 " bytes");
    }

    int blockLength() {
        switch (rng.below(10)) {
        case 0: return 0;
        case 1: case 2: return 1 + static_cast<int>(rng.below(16));
        case 3: case 4: case 5: return 17 + static_cast<int>(rng.below(496));
        case 6: case 7: return 513 + static_cast<int>(rng.below(3584));
        case 8: return 64 << rng.below(5);
        default: return 4097 + static_cast<int>(rng.below(4096));
        }
    }

    template <class Sample>
    void fillInput(std::vector<Sample>& channel, bool& burst) {
        for (Sample& v : channel) v = static_cast<Sample>(rng.unit() - 0.5);
        if (channel.empty() || !rng.oneIn(20)) return;
        const float b = kBursts[rng.below(std::size(kBursts))];
        burst = burst || !std::isfinite(b) || std::fabs(b) > 1e20f;
        const size_t from = rng.below(static_cast<std::uint32_t>(channel.size()));
        const size_t count = rng.oneIn(4) ? channel.size() - from : 1 + rng.below(8);
        for (size_t k = from; k < std::min(channel.size(), from + count); ++k)
            channel[k] = static_cast<Sample>(b);
    }

    void process() { processOnce(blockLength()); }

    void processOnce(int frames) {
        const AEffect* e = plugin->effect();
        const bool useDouble = report.doublePrecision && rng.oneIn(3);
        const bool accumulate = !useDouble && e->process && rng.oneIn(8);
        // The accumulating form adds to what the output holds: in place that
        // is the input itself, so it is only driven out of place.
        const bool inPlace = rng.oneIn(3) && !accumulate;
        activity() = useDouble ? "processDoubleReplacing" : accumulate ? "process (accumulating)" : "processReplacing";
        report.frames += frames;
        bool burst = false;
        long bad = useDouble ? run<double>(frames, inPlace, false, burst) : run<float>(frames, inPlace, accumulate, burst);
        if (bad == 0) return;
        // Counted by what the block carried; the first one also names
        // everything hostile the instance had seen before it.
        std::string seen;
        for (auto [was, what] : {std::pair{nonFiniteParameter, "a non-finite parameter value"},
                                 std::pair{oddParameter, "a parameter value outside 0 to 1"},
                                 std::pair{oddRate, "a hostile sample rate"}})
            if (was) seen += std::string(seen.empty() ? "" : ", ") + what;
        const char* form = useDouble ? "64-bit" : accumulate ? "32-bit accumulating" : "32-bit";
        const std::string kind = burst ? "from a block with non-finite or huge input"
                                 : seen.empty() ? "under legal input and parameters"
                                                : "after hostile values";
        find(std::string("non-finite output ") + kind + " (" + form + (inPlace ? ", in place)" : ")"),
             seen.empty() ? "" : "the instance had seen " + seen);
    }

    template <class Sample>
    long run(int frames, bool inPlace, bool accumulate, bool& burst) {
        const AEffect* e = plugin->effect();
        const int ins = std::max(0, e->numInputs), outs = std::max(0, e->numOutputs);
        std::vector<std::vector<Sample>> in(ins, std::vector<Sample>(frames)),
            out(outs, std::vector<Sample>(frames));
        for (auto& c : in) fillInput(c, burst);
        // Replacing forms must not read their outputs: they start as NaN.
        for (auto& c : out)
            for (Sample& v : c)
                v = accumulate ? static_cast<Sample>(rng.unit() * 0.1) : std::numeric_limits<Sample>::quiet_NaN();
        std::vector<Sample*> inPtr(ins), outPtr(outs);
        for (int c = 0; c < ins; ++c) inPtr[c] = in[c].data();
        for (int c = 0; c < outs; ++c) outPtr[c] = inPlace && c < ins ? in[c].data() : out[c].data();
        if constexpr (std::is_same_v<Sample, double>) {
            plugin->processDoubleReplacing(inPtr.data(), outPtr.data(), frames);
        } else if (accumulate) {
            plugin->processAccumulating(inPtr.data(), outPtr.data(), frames);
        } else {
            plugin->processReplacing(inPtr.data(), outPtr.data(), frames);
        }
        long bad = 0;
        for (Sample* c : outPtr)
            for (int k = 0; k < frames; ++k) bad += !std::isfinite(c[k]);
        return bad;
    }

    const Target& target;
    const Options& options;
    Report& report;
    Rng rng;
    std::unique_ptr<hosting::Library> library;
    hosting::Host host;
    std::unique_ptr<hosting::Plugin> plugin;
    bool nonFiniteParameter = false;
    bool oddParameter = false;
    bool oddRate = false;
};

}  // namespace

std::atomic<std::uint64_t>& heartbeat() {
    static std::atomic<std::uint64_t> beat{0};
    return beat;
}

std::atomic<const char*>& activity() {
    static std::atomic<const char*> what{"starting"};
    return what;
}

std::uint64_t pluginSeed(std::uint64_t seed, const std::string& name) {
    Rng mix(seed ^ fnv(name));
    return mix.next();
}

int textLimit(VstInt32 opcode) {
    switch (opcode) {
    case effGetParamLabel:
    case effGetParamDisplay:
        return kVstMaxParamStrLen + 1;
    case effGetParamName:
        return 64;
    case effGetProgramName:
    case effGetProgramNameIndexed:
        return kVstMaxProgNameLen + 1;
    case effGetEffectName:
        return kVstMaxEffectNameLen + 1;
    case effGetVendorString:
        return kVstMaxVendorStrLen + 1;
    case effGetProductString:
    case effShellGetNextPlugin:
        return kVstMaxProductStrLen + 1;
    case effGetErrorText:
        return 256;
    default:
        return 0;
    }
}

const std::vector<VstInt32>& textOpcodes() {
    static const std::vector<VstInt32> ops = {
        effGetParamName,   effGetParamLabel,   effGetParamDisplay,  effGetProgramName,
        effGetProgramNameIndexed, effGetEffectName, effGetVendorString, effGetProductString,
        effShellGetNextPlugin, effGetErrorText};
    return ops;
}

const char* opcodeName(VstInt32 opcode) {
    switch (opcode) {
    case effGetParamName: return "effGetParamName";
    case effGetParamLabel: return "effGetParamLabel";
    case effGetParamDisplay: return "effGetParamDisplay";
    case effGetProgramName: return "effGetProgramName";
    case effGetProgramNameIndexed: return "effGetProgramNameIndexed";
    case effGetEffectName: return "effGetEffectName";
    case effGetVendorString: return "effGetVendorString";
    case effGetProductString: return "effGetProductString";
    case effShellGetNextPlugin: return "effShellGetNextPlugin";
    case effGetErrorText: return "effGetErrorText";
    default: return "opcode";
    }
}

AutomationResult automateAtAudioRate(hosting::Plugin& plugin, std::uint64_t seed, long frames, int changes,
                                     int blockFrames, bool doublePrecision) {
    Rng rng(seed);
    AEffect* e = plugin.effect();
    plugin.setSampleRate(44100.0f);
    plugin.setBlockSize(blockFrames);
    plugin.resume();
    AutomationResult result;
    std::vector<float> l(blockFrames), r(blockFrames);
    std::vector<double> dl(blockFrames), dr(blockFrames);
    for (long done = 0; done < frames; done += blockFrames) {
        ++heartbeat();
        for (int c = 0; c < changes; ++c) {
            if (rng.oneIn(7) && e->numPrograms > 0)
                plugin.dispatch(effSetProgram, 0, rng.below(static_cast<std::uint32_t>(e->numPrograms)));
            else if (e->numParams > 0)
                plugin.setParameter(static_cast<VstInt32>(rng.below(static_cast<std::uint32_t>(e->numParams))),
                                    static_cast<float>(rng.unit()));
        }
        for (int k = 0; k < blockFrames; ++k) {
            l[k] = static_cast<float>(rng.unit() - 0.5);
            r[k] = static_cast<float>(rng.unit() - 0.5);
            dl[k] = l[k];
            dr[k] = r[k];
        }
        auto measure = [&](auto& a, auto& b) {
            for (int k = 0; k < blockFrames; ++k) {
                for (double v : {double(a[k]), double(b[k])}) {
                    if (!std::isfinite(v)) {
                        if (result.nonFinite++ == 0) result.firstNonFiniteFrame = done + k;
                    } else {
                        result.peak = std::max(result.peak, std::fabs(v));
                    }
                }
            }
        };
        if (doublePrecision) {
            plugin.processStereo(dl, dr);
            measure(dl, dr);
        } else {
            plugin.processStereo(l, r);
            measure(l, r);
        }
        result.frames += blockFrames;
    }
    return result;
}

Report run(const Target& target, const Options& options, const std::string& replayCommand) {
    Report report;
    report.name = target.name;
    std::printf("%s: seed %llu, replay: %s\n", target.name.c_str(),
                static_cast<unsigned long long>(options.seed), replayCommand.c_str());
    std::fflush(stdout);
    Session session(target, options, report);
    if (!session.load()) return report;
    session.loadCycles(options.loadCycles);
    session.randomCalls(options.calls);
    if (options.mends && session.instance()) session.nonFiniteValues();

    if (options.automationFrames > 0 && session.instance()) {
        activity() = "audio-rate automation";
        session.recreate();
        report.automation = automateAtAudioRate(*session.instance(), pluginSeed(options.seed, target.name) + 1,
                                                options.automationFrames);
        report.automationCalls += report.automation.frames * 9;
        if (report.doublePrecision) {
            session.recreate();
            report.automationDouble = automateAtAudioRate(*session.instance(), pluginSeed(options.seed, target.name) + 2,
                                                          options.automationFrames, 8, 1, true);
            report.automationCalls += report.automationDouble.frames * 9;
        }
        for (const AutomationResult* a : {&report.automation, &report.automationDouble}) {
            const char* form = a == &report.automation ? "32-bit" : "64-bit";
            if (a->nonFinite > 0)
                report.findings[std::string("non-finite output under legal audio-rate automation (") + form +
                                ", first at frame " + std::to_string(a->firstNonFiniteFrame) + ")"] =
                    Finding{a->nonFinite, report.calls, ""};
            if (a->peak > kAutomationBound)
                report.findings[std::string("output beyond ") + number(kAutomationBound) +
                                " under legal audio-rate automation (" + form + ", peak " + number(a->peak) + ")"] =
                    Finding{1, report.calls, ""};
        }
    }
    activity() = "done";
    return report;
}

}  // namespace hostile
