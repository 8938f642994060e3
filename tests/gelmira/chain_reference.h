// The chain as the units run it, one sample through every stage in turn:
// what the block kernel must reproduce bit for bit.
#pragma once

#include <cstdint>
#include <vector>

#include "plugins/gelmira/cut_filter.h"
#include "plugins/gelmira/filter_chain.h"
#include "plugins/gelmira/harmonic_bank.h"

namespace gelmiratest {

using namespace gelmira;

// A full set of designs: root, offsets, widths and gains as a host might pick.
inline ChainSettings makeSettings(float rootHz, float gain, float mix, float lpHz = 20000.0f,
                                  float hpHz = 20.0f, float rate = 44100.0f) {
    ChainSettings s;
    CutFilter lp, hp;
    lp.designLowPass(lpHz, rate);
    hp.designHighPass(hpHz, rate);
    s.assign(ChainSettings::kLowPassIn, lp);
    s.assign(ChainSettings::kHighPassIn, hp);
    lp.designLowPass(lpHz * 0.8f, rate);
    hp.designHighPass(hpHz * 1.5f, rate);
    s.assign(ChainSettings::kLowPassOut, lp);
    s.assign(ChainSettings::kHighPassOut, hp);
    HarmonicBank bank;
    bank.tune(rootHz, 200.0f, gain, rate);
    s.assignBank(ChainSettings::kBank1, bank);
    bank.tune(rootHz * 1.2f, 150.0f, gain * 0.5f + 0.3f, rate);
    s.assignBank(ChainSettings::kBank2, bank);
    bank.tune(rootHz * 0.8f, 280.0f, 6.0f - gain, rate);
    s.assignBank(ChainSettings::kBank3, bank);
    s.mix = mix;
    return s;
}

struct ReferenceChain {
    CutFilter lowPassIn, highPassIn, lowPassOut, highPassOut;
    HarmonicBank bank1, bank2, bank3;
    float mix = 0;

    template <class Unit>
    static void load(Unit& u, const StageCoefficients& c) {
        u.b0 = c.b0, u.b1 = c.b1, u.b2 = c.b2, u.a0 = c.a0, u.a1 = c.a1, u.a2 = c.a2;
    }
    void load(const ChainSettings& s) {
        load(lowPassIn, s.stages[ChainSettings::kLowPassIn]);
        load(highPassIn, s.stages[ChainSettings::kHighPassIn]);
        for (int k = 0; k < 12; ++k) {
            load(bank1.section(k), s.stages[ChainSettings::kBank1 + k]);
            load(bank2.section(k), s.stages[ChainSettings::kBank2 + k]);
            load(bank3.section(k), s.stages[ChainSettings::kBank3 + k]);
        }
        load(lowPassOut, s.stages[ChainSettings::kLowPassOut]);
        load(highPassOut, s.stages[ChainSettings::kHighPassOut]);
        mix = s.mix;
    }
    void process(float dryL, float dryR, float& outL, float& outR) {
        float l, r;
        lowPassIn.process(dryL, dryR, l, r);
        highPassIn.process(l, r, l, r);
        bank1.process(l, r, l, r);
        bank2.process(l, r, l, r);
        bank3.process(l, r, l, r);
        lowPassOut.process(l, r, l, r);
        highPassOut.process(l, r, l, r);
        outL = static_cast<float>(double(mix) * l + (1.0 - mix) * dryL);
        outR = static_cast<float>(double(mix) * r + (1.0 - mix) * dryR);
    }
};

inline std::vector<float> noise(int frames, std::uint32_t seed, float amplitude = 0.5f) {
    std::vector<float> s(frames);
    std::uint32_t x = seed ? seed : 1;
    for (float& v : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        v = static_cast<float>(amplitude * (x / 2147483648.0 - 1.0));
    }
    return s;
}

}  // namespace gelmiratest
