// The whole Gelmira chain as the audio thread runs it: low-pass in,
// high-pass in, three harmonic banks, low-pass out, high-pass out (forty
// second-order stages), then the dry/wet mix.
//
// Writers (any thread) change the coefficients and the mix through change();
// each change reaches the audio thread whole, and the first sample fed after
// it arrives uses the new set. The memories belong to
// the audio thread. The kernel keeps several stages in flight at once, each
// a sample behind the one before, so their divisions overlap; the results
// are those of running every sample through the stages in turn.
#pragma once

#include <array>

#include "realtime/published.h"

namespace gelmira {

struct StageCoefficients {
    float b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
};

struct ChainSettings {
    static constexpr int kStages = 40;
    // Where each unit sits in the chain.
    static constexpr int kLowPassIn = 0, kHighPassIn = 1, kBank1 = 2, kBank2 = 14, kBank3 = 26,
                         kLowPassOut = 38, kHighPassOut = 39;

    std::array<StageCoefficients, kStages> stages{};
    float mix = 0;  // wet share, 0 ... 1

    // Copies a unit's coefficients (b0 ... a2) into one stage.
    template <class Unit>
    void assign(int stage, const Unit& unit) {
        stages[stage] = {unit.b0, unit.b1, unit.b2, unit.a0, unit.a1, unit.a2};
    }
    // Copies a bank's twelve sections into the stages from first on.
    template <class Bank>
    void assignBank(int first, const Bank& bank) {
        for (int k = 0; k < Bank::kSections; ++k) assign(first + k, bank.section(k));
    }
};

class FilterChain {
public:
    explicit FilterChain(const ChainSettings& initial = ChainSettings());

    // Any thread: edits the newest settings under the writer lock (writers
    // never lose each other's edits) and publishes them whole.
    template <class Edit>
    void change(Edit&& edit) {
        published.update([&](ChainSettings& s) { edit(s); });
    }

    // Audio thread. frames samples per channel; inputs and outputs may be
    // the same buffers. 64-bit samples are narrowed to 32-bit on the way in
    // and widened on the way out. Each block ends with the suite's recovery
    // rule (dsp/recovery.h): a chain run away (non-finite input, or wild
    // parameter jumps) restarts from silence, and no non-finite sample leaves.
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames);
    void process(const double* inL, const double* inR, double* outL, double* outR, int frames);

    // For the recovery rule: every memory finite and within dsp::kRunawayLevel;
    // and all memories back to zero (the coefficients stay). Audio thread.
    bool memoriesSane() const;
    void clearMemories();

private:
    static constexpr int kDepth = ChainSettings::kStages;
    static constexpr int kRing = 64;  // holds the dry samples in flight
    static_assert(kRing > kDepth, "a dry sample must outlive its trip through the stages");

    // Each pair is left, right; the memories hold 32-bit values exactly.
    struct alignas(16) Memory {
        double x1[2], x2[2], y1[2], y2[2];
    };
    struct alignas(16) Coefficients {
        double b0[2], b1[2], b2[2], a0[2], a1[2], a2[2];
    };

    template <class Sample>
    void run(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int frames);
    template <class Sample>
    int segment(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR, int frames);
    // Takes the newest settings into next when a writer published since.
    // Asked before every sample, so kept inline in the kernel.
    [[gnu::always_inline]] bool newer() {
        const ChainSettings* s = published.takeNewest(seen);
        if (s) next = s;
        return s != nullptr;
    }
    void adopt(const ChainSettings& s);

    Published<ChainSettings> published;
    // Audio thread only.
    unsigned long seen = Published<ChainSettings>::kNothingSeen;
    const ChainSettings* next = nullptr;  // taken by newer(), adopted before the next take
    alignas(16) double mix[2] = {0, 0};
    Coefficients coefficients[kDepth];
    Memory memory[kDepth] = {};
    alignas(16) double dry[kRing][2] = {};
};

}  // namespace gelmira
