// The soft-clipping output limiter: a cubic soft clip, then a gain per
// channel that follows a level-to-gain table with instant attack and an
// exponential release. The channels are not linked.
#pragma once


namespace tarn {

class OutputLimiter {
public:
    static constexpr int kTableSize = 32768;
    static constexpr float kTableScale = 4096.0f;  // table entries per unit of level
    static constexpr float kMaxIndex = 32760.0f;   // the level index is clamped here

    // Fills the gain table (held in the object: nothing to allocate).
    OutputLimiter();

    // Release time in ms at the sample rate fs in Hz: after ms of release the
    // distance to the target is 0.001 of what it was. Not on the audio thread.
    void setReleaseTime(float ms, float fs);
    // Both gains back to 1. Audio thread (or before processing starts).
    void resetGains();

    // Audio thread: limits one sample pair in place. The gains stay finite
    // whatever arrives: a NaN or infinite level reads the last table entry.
    void processStereo(float& left, float& right) {
        left = limit(left, gainLeft);
        right = limit(right, gainRight);
    }

    double releaseCoefficient() const { return release; }
    float leftGain() const { return gainLeft; }
    float rightGain() const { return gainRight; }
    // Audio thread: the gains as a block processed elsewhere left them.
    void setGains(float left, float right) {
        gainLeft = left;
        gainRight = right;
    }
    // The table entry for index i, 0 <= i < kTableSize.
    const float& tableEntry(int i) const { return gainTable[i]; }

private:
    float limit(float x, float& gain) const {
        x = x - x * x * x * 0.16666667f;
        float e = (x < 0.0f ? -x : x) * kTableScale;
        if (!(e <= kMaxIndex)) e = kMaxIndex;  // also catches a NaN level
        int i = static_cast<int>(e);
        float r = e - static_cast<float>(i);
        float target = gainTable[i] + (gainTable[i + 1] - gainTable[i]) * r;
        if (target < gain)
            gain = target;
        else
            gain = static_cast<float>(gain + (target - gain) * release);
        return x * gain;
    }

    double release = 0.0;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    float gainTable[kTableSize];
};

}  // namespace tarn
