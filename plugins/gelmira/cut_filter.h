// A stereo 12 dB-per-octave low-pass or high-pass: one coefficient set, a
// memory per channel. Design on any thread that owns the object; process on
// the thread that owns the memories.
#pragma once

namespace gelmira {

struct CutFilter {
    float x1L = 0, x2L = 0, y1L = 0, y2L = 0;
    float x1R = 0, x2R = 0, y1R = 0, y2R = 0;
    float b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;

    // Two first-order low-passes in cascade: unity at 0 Hz, −6 dB at the
    // cutoff. frequency and sampleRate in Hz (limited as prewarp says).
    // Coefficients only; the memories are kept.
    void designLowPass(float frequency, float sampleRate);
    // High-pass of the same slope; its gain at half the rate is 1 + t.
    void designHighPass(float frequency, float sampleRate);
    // One stereo sample.
    void process(float inL, float inR, float& outL, float& outR);
};

}  // namespace gelmira
