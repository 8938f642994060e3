// One stereo resonant peak-or-notch section of a harmonic bank.
#pragma once

namespace gelmira {

struct ResonantSection {
    float b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    float x1L = 0, x2L = 0, x1R = 0, x2R = 0;
    float y1L = 0, y2L = 0, y1R = 0, y2R = 0;

    // Bilinear section centred on frequency (Hz, limited as prewarp says) with
    // Q = sampleRate / width and linear gain at the centre (1 flat, above a
    // peak, 0 a complete notch); width is limited to 100 ... 300 and gain to
    // 0 ... 6, and a section at or above 0.49 of the rate is flat.
    // Coefficients only; the memories are kept.
    void design(float frequency, float width, float gain, float sampleRate);
    // One stereo sample.
    void process(float inL, float inR, float& outL, float& outR);
};

}  // namespace gelmira
