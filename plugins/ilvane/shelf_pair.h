// The equaliser's signal path: a low shelf and a high shelf in series on a
// stereo signal, in 32-bit or 64-bit samples. Designs come from other threads
// as whole sets through Published; the sections' memories belong to the
// audio thread.
#pragma once

#include "dsp/peak_section.h"
#include "realtime/published.h"

namespace ilvane {

// A complete design of both shelves.
struct ShelfDesign {
    dsp::PeakCoefficients low;
    dsp::PeakCoefficients high;
};

// Both shelves of one precision with their memories, and the design they hold.
template <class Sample>
struct ShelfPair {
    dsp::PeakSection<Sample> low;
    dsp::PeakSection<Sample> high;
    unsigned long seen = Published<ShelfDesign>::kNothingSeen;  // design last taken

    bool memoriesSane() const { return low.memoriesSane() && high.memoriesSane(); }
    void clearMemories() {
        low.clearMemories();
        high.clearMemories();
    }
};

// Audio thread. Runs frames samples of each channel through the low and then
// the high shelf; a design published meanwhile takes effect at the next
// sample. Each frame's inputs are read before its outputs are written, so the
// outputs may be the input buffers. Ends the block with the suite's recovery
// rule (dsp/recovery.h). Never locks or allocates.
void processShelfPair(Published<ShelfDesign>& designs, ShelfPair<float>& pair, const float* inL,
                      const float* inR, float* outL, float* outR, int frames);
void processShelfPair(Published<ShelfDesign>& designs, ShelfPair<double>& pair,
                      const double* inL, const double* inR, double* outL, double* outR,
                      int frames);

}  // namespace ilvane
