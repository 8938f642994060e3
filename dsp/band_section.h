// A stereo second-order peaking section in single precision: 32-bit
// coefficients and 32-bit history, both channels through the same coefficients.
// Plain data and arithmetic; knows nothing of the host.
#pragma once

#include "dsp/anti_denormal.h"
#include "dsp/recovery.h"

namespace dsp {

// The six coefficients of one section (feedback subtracted; a0 stored, unused).
struct BandCoefficients {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f;
    float a0 = 1.0f;
    float a1 = 0.0f, a2 = 0.0f;

    // Peaking design. f: centre in Hz, bw: bandwidth in Hz, fs: sample rate in
    // Hz, g: linear gain at f (1 gives the identity section). Any thread.
    //
    // Guards: a gain of exactly 1 designs the identity section; |g² − 0.5|
    // under the root never goes below kMinGainSpread (finite at g = 1/√2);
    // bw is limited to [kMinBandwidthRatio, kMaxBandwidthRatio] · fs and f to
    // [kMinCentreRatio, kMaxBandwidthRatio] · fs, negative f mirrored (a centre at 0 or at half the
    // rate puts a pole on the unit circle); g to [0, kMaxGain]; k (the bandwidth term) to [kMinBandScale, kMaxBandScale],
    // which keeps a2 inside (-1, 1) in single precision; a non-finite f, bw or g, or an fs that is not finite and
    // positive, gives the identity section. The result is always stable.
    void designBandPeak(float f, float bw, float fs, float g);

    bool operator==(const BandCoefficients&) const = default;
};

constexpr float kMinGainSpread = 1e-6f;
constexpr float kMinBandwidthRatio = 1e-5f;
constexpr float kMaxBandwidthRatio = 0.49f;
// The lowest centre, as a share of the rate: its cosine rounds a few steps below 1.
constexpr float kMinCentreRatio = 1e-4f;
constexpr float kMaxGain = 1000.0f;
constexpr float kMinBandScale = 1e-6f;
constexpr float kMaxBandScale = 1e5f;

// One section with its history. Construction clears the history and leaves
// the identity coefficients; the owner designs it before use.
struct BandSection : BandCoefficients {
    float x1L = 0.0f, x2L = 0.0f;
    float x1R = 0.0f, x2R = 0.0f;
    float y1L = 0.0f, y2L = 0.0f;
    float y1R = 0.0f, y2R = 0.0f;

    void setCoefficients(const BandCoefficients& c) { static_cast<BandCoefficients&>(*this) = c; }

    // Audio thread: filters one sample pair and advances the history.
    void processStereo(float inL, float inR, float& outL, float& outR) {
        outL = step(inL, x1L, x2L, y1L, y2L);
        outR = step(inR, x1R, x2R, y1R, y2R);
    }

    // False when a memory is not finite or past kRunawayLevel.
    bool memoriesSane() const { return allSane({x1L, x2L, x1R, x2R, y1L, y2L, y1R, y2R}); }
    // Clears the history (after a runaway), keeps the coefficients.
    void clearMemories() {
        x1L = x2L = x1R = x2R = 0.0f;
        y1L = y2L = y1R = y2R = 0.0f;
    }

private:
    float step(float x, float& x1, float& x2, float& y1, float& y2) const {
        float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2 + kAntiDenormal;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

}  // namespace dsp
