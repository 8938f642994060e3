// One channel of the phaser: four first-order all-pass stages with a common
// coefficient swept up and down exponentially, and a one-sample feedback loop
// from the last stage into the first.
//
// Plain C++: knows nothing of the host interface. Every operation belongs to
// the thread that processes audio (or to a single thread before audio runs).
#pragma once

namespace hoverin {

class PhaserChannel {
public:
    // Stores the values the sweep and the loop use; computes nothing (the sweep
    // constants change only at restartSweep). feedback: gain, 1.0 or more runs
    // as 0.975. rate: sweep cycles per second (1/32 ... 16). octaves: sweep
    // width, a whole number 1 ... 6. frequency: lowest break frequency in Hz
    // (40 ... 4000). sampleRate: Hz. Values outside those ranges, or not
    // finite, are kept where the sweep stays finite and the loop stable.
    void configure(float feedback, float rate, float octaves, float frequency, float sampleRate);

    // Computes the sweep bounds and growth factor from the stored values and
    // restarts the sweep at its bottom, rising. The stage memories stay.
    void restartSweep();

    // Runs one sample through the four stages, advances the sweep by one
    // sample and returns the last stage's output.
    double processSample(double input);

    // True while every stage memory is finite.
    bool stagesFinite() const;
    // Zeroes the stage memories (after non-finite input reached them).
    void clearStages();

    float feedbackGain() const { return feedback; }
    float sweepRate() const { return rate; }
    float sweepOctaves() const { return octaves; }
    float lowestFrequency() const { return frequency; }
    float designSampleRate() const { return sampleRate; }
    float sweepValue() const { return sweep; }
    float sweepLow() const { return sweepMin; }
    float sweepHigh() const { return sweepMax; }
    float sweepGrowth() const { return sweepFactor; }
    float sweepNextFactor() const { return sweepStep; }
    double lastOutput() const { return stageOut[3]; }

private:
    float feedback = 0.0f;
    float rate = 0.5f;
    float octaves = 1.0f;
    float frequency = 1000.0f;
    float sampleRate = 44100.0f;
    double stageIn[4] = {0.0, 0.0, 0.0, 0.0};
    double stageOut[4] = {0.0, 0.0, 0.0, 0.0};
    float sweepMin = 0.0f;
    float sweepMax = 0.0f;
    float sweep = 0.0f;
    float sweepFactor = 1.0f;
    float sweepStep = 1.0f;
};

// Added to every input sample so the recursive memories never turn denormal
// on silence: 1e-24 as a 32-bit float, used at 64 bits.
inline constexpr double kPhaserInputOffset = static_cast<double>(1e-24f);

inline double PhaserChannel::processSample(double input) {
    const double w = sweep;
    const double b = (1.0 - w) / (1.0 + w);
    // The loop takes the last stage's output of the previous sample.
    double u = static_cast<double>(feedback) * stageOut[3] + (input + kPhaserInputOffset);
    for (int k = 0; k < 4; ++k) {
        const double y = b * (u + stageOut[k]) - stageIn[k];
        stageIn[k] = u;
        stageOut[k] = y;
        u = y;
    }
    // The value that crossed a bound stays, so the sweep turns one sample past it.
    const float g = sweepStep * sweep;
    sweep = g;
    if (g > sweepMax)
        sweepStep = 1.0f / sweepFactor;
    else if (g < sweepMin)
        sweepStep = sweepFactor;
    return u;
}

}  // namespace hoverin
