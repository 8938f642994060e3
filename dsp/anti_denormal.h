// The suite's anti-denormal offset: 1e-24 as a 32-bit float, added to every
// output (or input) sample of every recursive filter so that its memories
// settle on a tiny constant instead of becoming denormal. Filters that compute
// in 64 bits add the same value widened.
#pragma once

namespace dsp {

inline constexpr float kAntiDenormal = 1e-24f;

}  // namespace dsp
