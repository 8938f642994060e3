// The block entries: each sample takes the newest published controls, runs
// both channels and mixes dry and wet.

#include "hoverin.h"

namespace hoverin {

void Hoverin::configureChannels(const PhaserControls& c, bool restart) {
    // Left first, then right; both always hold the same values and sweep.
    left.configure(c.feedback, c.rate, c.octaves, c.frequency, c.sampleRate);
    right.configure(c.feedback, c.rate, c.octaves, c.frequency, c.sampleRate);
    if (restart) {
        left.restartSweep();
        right.restartSweep();
    }
    appliedConfigure = c.configureSerial;
    appliedRestart = c.restartSerial;
}

template <class Sample>
void Hoverin::processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames) {
    const Sample* inLeft = inputs[0];
    const Sample* inRight = inputs[1];
    Sample* outLeft = outputs[0];
    Sample* outRight = outputs[1];
    double dl = dryLeft, dr = dryRight, wl = wetLeft, wr = wetRight;
    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        const PhaserControls& c = controls.current();
        if (c.configureSerial != appliedConfigure)
            configureChannels(c, c.restartSerial != appliedRestart);
        dl = inLeft[i];
        dr = inRight[i];
        wl = left.processSample(dl);
        wr = right.processSample(dr);
        const double mix = c.mix;
        const double gain = c.gain;
        outLeft[i] = static_cast<Sample>(((1.0 - mix) * dl + mix * wl) * gain);
        outRight[i] = static_cast<Sample>(((1.0 - mix) * dr + mix * wr) * gain);
    }
    dryLeft = dl;
    dryRight = dr;
    wetLeft = wl;
    wetRight = wr;
    // Non-finite input would otherwise stay in the loop for good.
    if (!left.stagesFinite()) left.clearStages();
    if (!right.stagesFinite()) right.clearStages();
}

void Hoverin::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

void Hoverin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processBlock(inputs, outputs, sampleFrames);
}

}  // namespace hoverin
