// One second-order shelf section for two channels: 32-bit coefficients, state
// in the sample type (float for the 32-bit chain, double for the 64-bit one).
#pragma once

namespace faroll {

// 1e-24 rounded to float, added to every section output so that the
// recursions never reach denormal numbers in silence.
constexpr double kAntiDenormal = static_cast<double>(1e-24f);

template <class Sample>
struct ShelfSection {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f;
    float a0 = 1.0f;  // always 1; never read by processing
    float a1 = 0.0f, a2 = 0.0f;
    Sample x1L = 0, x2L = 0;
    Sample x1R = 0, x2R = 0;
    Sample y1L = 0, y2L = 0;
    Sample y1R = 0, y2R = 0;
};

// Runs one stereo sample pair through the section (audio thread). The sum is
// formed in double precision and stored in the sample type; the stored value
// is the output and the next sample's memory.
template <class Sample>
inline void processShelfSection(ShelfSection<Sample>& s, Sample inL, Sample inR, Sample& outL,
                                Sample& outR) {
    const double b0 = s.b0, b1 = s.b1, b2 = s.b2, a1 = s.a1, a2 = s.a2;
    Sample yL = static_cast<Sample>(b0 * inL + b1 * s.x1L + b2 * s.x2L - a1 * s.y1L -
                                    a2 * s.y2L + kAntiDenormal);
    Sample yR = static_cast<Sample>(b0 * inR + b1 * s.x1R + b2 * s.x2R - a1 * s.y1R -
                                    a2 * s.y2R + kAntiDenormal);
    s.x2L = s.x1L;
    s.x1L = inL;
    s.y2L = s.y1L;
    s.y1L = yL;
    s.x2R = s.x1R;
    s.x1R = inR;
    s.y2R = s.y1R;
    s.y1R = yR;
    outL = yL;
    outR = yR;
}

// Clears the memories when any of them is not finite (after a non-finite input
// sample), so that the section recovers instead of staying non-finite.
template <class Section>
inline void clearIfNotFinite(Section& s) {
    double sum = double(s.x1L) + s.x2L + s.x1R + s.x2R + s.y1L + s.y2L + s.y1R + s.y2R;
    if (sum - sum != 0.0) {
        s.x1L = s.x2L = s.x1R = s.x2R = 0;
        s.y1L = s.y2L = s.y1R = s.y2R = 0;
    }
}

}  // namespace faroll
