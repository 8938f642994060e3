#include "plugins/gelmira/harmonic_bank.h"

namespace gelmira {

void HarmonicBank::tune(float frequency, float width, float gain, float sampleRate) {
    for (int k = 1; k <= kSections; ++k)
        sections[k - 1].design(static_cast<float>(k) * frequency, width, gain, sampleRate);
}

void HarmonicBank::process(float inL, float inR, float& outL, float& outR) {
    for (ResonantSection& s : sections) {
        s.process(inL, inR, outL, outR);
        inL = outL;
        inR = outR;
    }
}

}  // namespace gelmira
