#include "plugins/faroll/band_chain.h"

#include "dsp/peak_section_sse2.h"
#include "dsp/recovery.h"
#include "plugins/faroll/packed_shelf_cascade.h"

namespace faroll {

using dsp::PackedPeakSection;
namespace {

// The chain held in registers for one block: both channels of a section in
// one SSE2 register, bit-identical to processBandChain.
template <class Sample>
struct PackedChain {
    PackedShelfCascade<Sample> low;
    PackedPeakSection mid[6];
    PackedShelfCascade<Sample> high;

    void setCoefficients(const BandChain<Sample>& c) {
        low.setCoefficients(c.low);
        for (int k = 0; k < 6; ++k) mid[k].setCoefficients(c.mid[k]);
        high.setCoefficients(c.high);
    }
    void load(const BandChain<Sample>& c) {
        setCoefficients(c);
        low.loadState(c.low);
        for (int k = 0; k < 6; ++k) mid[k].loadState(c.mid[k]);
        high.loadState(c.high);
    }
    void store(BandChain<Sample>& c) const {
        low.storeState(c.low);
        for (int k = 0; k < 6; ++k) mid[k].storeState(c.mid[k]);
        high.storeState(c.high);
    }

    __m128d process(__m128d x) {
        x = low.process(x);
        for (auto& s : mid) {
            const __m128d y = roundToSample<Sample>(s.output(x));
            s.push(x, y);
            x = y;
        }
        return high.process(x);
    }
};

template <class Sample>
void processBlock(Published<BandDesign>& designs, BandChain<Sample>& chain, const Sample* inL,
                  const Sample* inR, Sample* outL, Sample* outR, int frames) {
    PackedChain<Sample> packed;
    packed.load(chain);
    for (int i = 0; i < frames; ++i) {
        if (const BandDesign* design = designs.takeNewest(chain.seen)) {
            applyBandDesign(chain, *design);
            packed.setCoefficients(chain);
        }
        const __m128d y = packed.process(_mm_set_pd(inR[i], inL[i]));
        outL[i] = static_cast<Sample>(_mm_cvtsd_f64(y));
        outR[i] = static_cast<Sample>(_mm_cvtsd_f64(_mm_unpackhi_pd(y, y)));
    }
    packed.store(chain);
    dsp::recoverAfterBlock(chain, outL, outR, frames < 0 ? 0 : frames);
}

}  // namespace

void processBandChainBlock(Published<BandDesign>& designs, BandChain<float>& chain,
                           const float* inL, const float* inR, float* outL, float* outR,
                           int frames) {
    processBlock(designs, chain, inL, inR, outL, outR, frames);
}

void processBandChainBlock(Published<BandDesign>& designs, BandChain<double>& chain,
                           const double* inL, const double* inR, double* outL, double* outR,
                           int frames) {
    processBlock(designs, chain, inL, inR, outL, outR, frames);
}

}  // namespace faroll
