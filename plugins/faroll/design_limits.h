// Limits on what reaches the band designs, so that values a host sends
// outside 0 to 1 (or non-finite ones) and odd sample rates never give
// non-finite or unstable filters. Values inside the limits pass unchanged;
// every value the normal parameter range produces at 44100 Hz and above is
// inside them. Any thread.
#pragma once

namespace faroll {

// A rate (Hz) that is not finite or below 1 Hz designs as 44100 Hz.
float designRate(float sampleRate);
// A frequency (Hz) is kept between 2e-4 and 0.49 of the design rate; one that
// is not a number goes to the low end. rate must come from designRate.
float designFrequency(float hz, float rate);
// Shelf gains (dB) are kept within -240 to +24 dB, a peaking section's within
// a sixth of that; a gain that is not a number designs as 0 dB.
float designShelfGain(float db);
float designSectionGain(float db);

}  // namespace faroll
