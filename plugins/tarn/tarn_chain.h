// Tarn's signal chain: low, mid and high band twice in series, each pass
// followed by a limiter when the limiter is on.
//
// Threads: the design is changed from any thread (changeDesign) and reaches
// the audio thread whole, at the next sample it processes. The section
// memories and limiter gains belong to the audio thread; every block ends
// with the suite's recovery rule (dsp/recovery.h).
#pragma once

#include "dsp/band_section.h"
#include "plugins/tarn/output_limiter.h"
#include "realtime/published.h"

namespace tarn {

using dsp::BandCoefficients;
using dsp::BandSection;

// What one band is designed from.
struct TarnBand {
    float frequencyHz = 1000.0f;
    float bandwidthHz = 100.0f;
    float gainFactor = 1.0f;
};

// Everything the audio thread takes over at once.
struct TarnDesign {
    BandCoefficients low, mid, high;  // both passes use the same three
    bool limiterOn = false;
};

// Designs the three bands at the sample rate fs (Hz). Any thread.
TarnDesign designTarn(const TarnBand& low, const TarnBand& mid, const TarnBand& high,
                      bool limiterOn, float fs);

class TarnChain {
public:
    static constexpr int kSections = 6;  // low 1, mid 1, high 1, low 2, mid 2, high 2

    TarnChain() = default;
    TarnChain(const TarnChain&) = delete;
    TarnChain& operator=(const TarnChain&) = delete;
    // Any thread: replaces the design, or changes it in place under the
    // writers' lock (so concurrent writers never lose each other's changes).
    void setDesign(const TarnDesign& d) { design.publish(d); }
    template <class Change>
    void changeDesign(Change&& change) {
        design.update(change);
    }

    // Before processing starts: both limiters' release and gains.
    void setReleaseTime(float ms, float fs);
    void resetGains();

    // Audio thread. n >= 0 samples per channel; inputs may be the outputs.
    // processReplacing stores the result, processAccumulating adds it.
    void processReplacing(const float* inL, const float* inR, float* outL, float* outR, int n);
    void processAccumulating(const float* inL, const float* inR, float* outL, float* outR, int n);

    // Audio thread (or a quiet one, in tests): the state as it stands.
    const BandSection& section(int i) const { return sections[i]; }
    const OutputLimiter& limiter(int i) const { return i == 0 ? limiterA : limiterB; }

    // The recovery rule's view of the chain: every section's history and both
    // limiters' gains. Clearing zeroes the histories and returns the gains to
    // 1, as in a fresh chain; the design stays.
    bool memoriesSane() const;
    void clearMemories();

private:
    template <bool accumulate>
    void run(const float* inL, const float* inR, float* outL, float* outR, int n);
    void apply(const TarnDesign& d);

    BandSection sections[kSections];
    OutputLimiter limiterA, limiterB;
    bool limiterOn = false;
    unsigned long seen = Published<TarnDesign>::kNothingSeen;  // design last taken
    Published<TarnDesign> design;
};

}  // namespace tarn
