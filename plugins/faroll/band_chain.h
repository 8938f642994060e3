// The equaliser's signal path per channel pair: the low shelf cascade, six
// identical peaking sections and the high shelf cascade, in that order.
#pragma once

#include "dsp/peak_section.h"
#include "realtime/published.h"
#include "plugins/faroll/shelf_design.h"

namespace faroll {

using dsp::PeakCoefficients;
using dsp::PeakSection;
using dsp::StereoPair;
using dsp::processPeakSection;

// A complete design of all three bands, as handed to the audio thread. Only
// the coefficients of low and high are used.
struct BandDesign {
    ShelfCascade<float> low;
    PeakCoefficients mid;
    ShelfCascade<float> high;
};

template <class Sample>
struct BandChain {
    ShelfCascade<Sample> low;
    PeakSection<Sample> mid[6];
    ShelfCascade<Sample> high;
    // The hand-over's generation of the design the chain holds (audio thread).
    unsigned long seen = Published<BandDesign>::kNothingSeen;

    // One section's runaway memory reaches every later one, so the chain is
    // judged and cleared as a whole (dsp/recovery.h).
    bool memoriesSane() const {
        bool sane = true;
        for (const auto& s : low.sections) sane &= s.memoriesSane();
        for (const auto& s : mid) sane &= s.memoriesSane();
        for (const auto& s : high.sections) sane &= s.memoriesSane();
        return sane;
    }
    void clearMemories() {
        for (auto& s : low.sections) s.clearMemories();
        for (auto& s : mid) s.clearMemories();
        for (auto& s : high.sections) s.clearMemories();
    }
};

// Runs one stereo sample pair through the whole chain (audio thread).
template <class Sample>
inline StereoPair<Sample> processBandChain(BandChain<Sample>& chain, Sample inL, Sample inR) {
    StereoPair<Sample> p{inL, inR};
    for (auto& s : chain.low.sections) p = processShelfSection(s, p.left, p.right);
    for (auto& s : chain.mid) p = processPeakSection(s, p.left, p.right);
    for (auto& s : chain.high.sections) p = processShelfSection(s, p.left, p.right);
    return p;
}

// Audio thread. Runs frames samples of each channel through the chain; a
// design published meanwhile takes effect at the next sample. Each frame's
// inputs are read before its outputs are written, so the outputs may be the
// input buffers. Ends the block with the suite's recovery rule
// (dsp/recovery.h). Never locks or allocates.
void processBandChainBlock(Published<BandDesign>& designs, BandChain<float>& chain,
                           const float* inL, const float* inR, float* outL, float* outR,
                           int frames);
void processBandChainBlock(Published<BandDesign>& designs, BandChain<double>& chain,
                           const double* inL, const double* inR, double* outL, double* outR,
                           int frames);

// Copies the design's coefficients into the chain; the memories stay.
template <class Sample>
void applyBandDesign(BandChain<Sample>& chain, const BandDesign& design) {
    for (int k = 0; k < 6; ++k) {
        const ShelfSection<float>& l = design.low.sections[k];
        const ShelfSection<float>& h = design.high.sections[k];
        ShelfSection<Sample>& cl = chain.low.sections[k];
        ShelfSection<Sample>& ch = chain.high.sections[k];
        cl.b0 = l.b0, cl.b1 = l.b1, cl.b2 = l.b2, cl.a0 = l.a0, cl.a1 = l.a1, cl.a2 = l.a2;
        ch.b0 = h.b0, ch.b1 = h.b1, ch.b2 = h.b2, ch.a0 = h.a0, ch.a1 = h.a1, ch.a2 = h.a2;
        static_cast<PeakCoefficients&>(chain.mid[k]) = design.mid;
    }
}

}  // namespace faroll
