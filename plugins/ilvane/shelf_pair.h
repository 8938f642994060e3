// The equaliser's signal path: a low shelf and a high shelf in series on a
// stereo signal, in 32-bit or 64-bit samples. Designs come from other threads
// as whole sets through Published; the sections' memories belong to the
// audio thread.
#pragma once

#include "peak_section.h"
#include "published.h"

// A complete design of both shelves. serial grows with every change, so the
// audio thread sees when to take the set over.
struct ShelfDesign {
    PeakCoefficients low;
    PeakCoefficients high;
    unsigned serial = 0;
};

// Audio thread. Runs frames samples of each channel through the low and then
// the high shelf; a design published meanwhile takes effect at the next
// sample. Each frame's inputs are read before its outputs are written, so the
// outputs may be the input buffers. Memories that are no longer finite at the
// end of the block (non-finite input) are cleared. Never locks or allocates.
// applied is the serial of the design that low and high hold; it moves on
// when the sections take a newer one.
void processShelfPair(Published<ShelfDesign>& designs, PeakSection<float>& low,
                      PeakSection<float>& high, unsigned& applied, const float* inL,
                      const float* inR, float* outL, float* outR, int frames);
void processShelfPair(Published<ShelfDesign>& designs, PeakSection<double>& low,
                      PeakSection<double>& high, unsigned& applied, const double* inL,
                      const double* inR, double* outL, double* outR, int frames);
