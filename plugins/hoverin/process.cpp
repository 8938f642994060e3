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
    // An empty block takes nothing, so a change waits for a block with samples.
    if (sampleFrames <= 0) return;
    const Sample* inLeft = inputs[0];
    const Sample* inRight = inputs[1];
    Sample* outLeft = outputs[0];
    Sample* outRight = outputs[1];
    double dl = dryLeft, dr = dryRight, wl = wetLeft, wr = wetRight;
    // A restart is taken before the controls, so the controls published
    // before it are taken too; it is looked for at the start of the block and
    // with each new set of controls, so one published while the block runs
    // waits for the next block at most.
    bool restart = restarts.takeNewest(seenRestarts) != nullptr;
    // The mix in locals: a float output may alias the controls' floats, which
    // would otherwise be read again after every store.
    const PhaserControls* c = &controls.current();
    double mix = c->mix, gain = c->gain;
    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        if (controls.takeNewest(seenControls)) {
            restart |= restarts.takeNewest(seenRestarts) != nullptr;
            c = &controls.current();  // at least as new as the restart's controls
            configureChannels(*c);
            mix = c->mix;
            gain = c->gain;
        }
        if (restart) {
            left.restartSweep();
            right.restartSweep();
            restart = false;
        }
        dl = inLeft[i];
        dr = inRight[i];
        wl = left.processSample(dl);
        wr = right.processSample(dr);
        outLeft[i] = static_cast<Sample>(((1.0 - mix) * dl + mix * wl) * gain);
        outRight[i] = static_cast<Sample>(((1.0 - mix) * dr + mix * wr) * gain);
    }
    dryLeft = dl;
    dryRight = dr;
    wetLeft = wl;
    wetRight = wr;
    // A non-finite input sample reaches the first stage's memories and stays
    // there, so the rule finds it, as it needs to, even where it came through
    // the dry path.
    StageChain stages{left, right};
    dsp::recoverAfterBlock(stages, outLeft, outRight, sampleFrames);
}

void Hoverin::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

void Hoverin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

}  // namespace hoverin
