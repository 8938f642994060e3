// Twelve resonant sections in series on the first twelve harmonics of a note.
#pragma once

#include <array>

#include "plugins/gelmira/resonant_section.h"

namespace gelmira {

class HarmonicBank {
public:
    static constexpr int kSections = 12;

    // Designs section k (1 ... 12) at k × frequency (the product a 32-bit
    // float), all with the same width, linear gain and sample rate (Hz).
    void tune(float frequency, float width, float gain, float sampleRate);
    // One stereo sample through section 1, then 2, ... 12.
    void process(float inL, float inR, float& outL, float& outR);

    ResonantSection& section(int index) { return sections[index]; }
    const ResonantSection& section(int index) const { return sections[index]; }

private:
    std::array<ResonantSection, kSections> sections{};
};

}  // namespace gelmira
