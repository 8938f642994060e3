// The chain run one sample at a time through the scalar section and limiter,
// to check the chain's own inner loop against.
#pragma once

#include "dsp/band_section.h"
#include "plugins/tarn/output_limiter.h"
#include "plugins/tarn/tarn_chain.h"

using namespace tarn;
using namespace dsp;

struct ReferenceChain {
    BandSection sections[6];
    OutputLimiter limiterA, limiterB;
    bool limiterOn = false;

    void apply(const TarnDesign& d) {
        const BandCoefficients* pass[3] = {&d.low, &d.mid, &d.high};
        for (int i = 0; i < 6; ++i) sections[i].setCoefficients(*pass[i % 3]);
        limiterOn = d.limiterOn;
    }
    void process(float& l, float& r) {
        for (int i = 0; i < 3; ++i) sections[i].processStereo(l, r, l, r);
        if (limiterOn) limiterA.processStereo(l, r);
        for (int i = 3; i < 6; ++i) sections[i].processStereo(l, r, l, r);
        if (limiterOn) limiterB.processStereo(l, r);
    }
};

// Designs at 44100 Hz from normalised gains (the frequencies and bandwidths fixed).
inline TarnDesign designAt(float lowGain, float midGain, float highGain, bool limiter,
                           float fs = 44100.0f) {
    return designTarn({100.0f, 60.0f, lowGain}, {1000.0f, 700.0f, midGain},
                      {8000.0f, 5000.0f, highGain}, limiter, fs);
}
