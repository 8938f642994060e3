// The block entries: each sample takes the newest published controls, runs
// both channels and mixes dry and wet; each block ends with the suite's
// recovery rule.

#include "dsp/recovery.h"
#include "plugins/hoverin/hoverin.h"

namespace hoverin {

namespace {

// Both channels' stages as the one chain the recovery rule clears. The sweeps
// are no filter memories: a runaway leaves them where they are.
struct StageChain {
    PhaserChannel& left;
    PhaserChannel& right;
    bool memoriesSane() const { return left.memoriesSane() && right.memoriesSane(); }
    void clearMemories() {
        left.clearMemories();
        right.clearMemories();
    }
};

}  // namespace

void Hoverin::configureChannels(const PhaserControls& c) {
    // Left first, then right; both always hold the same values and sweep.
    left.configure(c.feedback, c.rate, c.octaves, c.frequency, c.sampleRate);
    right.configure(c.feedback, c.rate, c.octaves, c.frequency, c.sampleRate);
}

template <class Sample>
void Hoverin::processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames) {
    const Sample* inLeft = inputs[0];
    const Sample* inRight = inputs[1];
    Sample* outLeft = outputs[0];
    Sample* outRight = outputs[1];
    double dl = dryLeft, dr = dryRight, wl = wetLeft, wr = wetRight;
    const PhaserControls* c = &controls.current();
    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        // The restart first: controls published before it are then taken too.
        const bool restart = restarts.takeNewest(seenRestarts) != nullptr;
        if (const PhaserControls* fresh = controls.takeNewest(seenControls)) {
            c = fresh;
            configureChannels(*c);
        }
        if (restart) {
            left.restartSweep();
            right.restartSweep();
        }
        dl = inLeft[i];
        dr = inRight[i];
        wl = left.processSample(dl);
        wr = right.processSample(dr);
        const double mix = c->mix;
        const double gain = c->gain;
        outLeft[i] = static_cast<Sample>(((1.0 - mix) * dl + mix * wl) * gain);
        outRight[i] = static_cast<Sample>(((1.0 - mix) * dr + mix * wr) * gain);
    }
    dryLeft = dl;
    dryRight = dr;
    wetLeft = wl;
    wetRight = wr;
    StageChain stages{left, right};
    dsp::recoverAfterBlock(stages, outLeft, outRight, sampleFrames > 0 ? sampleFrames : 0);
}

void Hoverin::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

void Hoverin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

}  // namespace hoverin
