// The shelf designs, checked coefficient by coefficient.
#include <gtest/gtest.h>

#include "plugins/ilvane/cookbook_shelf.h"

using namespace ilvane;
using namespace dsp;

namespace {

struct DesignCase {
    bool high;
    float frequencyHz, gainDb, sampleRate;
    PeakCoefficients expected;
};

// Reference coefficients from an independent calculation with the same two
// roundings to float (gain / 40 and 10^(gain / 40)). Dropping either rounding
// changes every coefficient of the first case.
const DesignCase kDesigns[] = {
    {false, 100.0f, 12.0f, 44100.0f,
     {0x1.030a714a9c131p+2, -0x1.feb5a3bb3dfc2p+2, 0x1.f78b5add86364p+1, 0x1.0135660c79bb3p+2,
      -0x1.febf8dd328389p+2, 0x1.fb219d29f66d5p+1}},
    {true, 5000.0f, -12.0f, 48000.0f,
     {0x1.b810ea4ca1f45p-1, -0x1.633a1639d819bp-1, 0x1.fd13eca4140e0p-3, 0x1.40d1e71fc7f0dp+1,
      -0x1.b095ba43a0897p+1, 0x1.49958de598a06p+0}},
    {false, 100.0f, -4.8f, 96000.0f,
     {0x1.85f4cc8e87eaap+0, -0x1.846268a250faep+1, 0x1.82d33fd36b944p+0, 0x1.8674f1bcd0109p+0,
      -0x1.8461d01296b73p+1, 0x1.82544bc497f59p+0}},
};

TEST(CookbookShelf, CoefficientsAreExact) {
    for (const DesignCase& c : kDesigns) {
        PeakSection<float> s;
        s.y1L = 0.25f;
        if (c.high)
            designCookbookHighShelf(s, c.frequencyHz, c.gainDb, c.sampleRate);
        else
            designCookbookLowShelf(s, c.frequencyHz, c.gainDb, c.sampleRate);
        SCOPED_TRACE(testing::Message() << (c.high ? "high " : "low ") << c.gainDb << " dB");
        EXPECT_EQ(s.b0, c.expected.b0);
        EXPECT_EQ(s.b1, c.expected.b1);
        EXPECT_EQ(s.b2, c.expected.b2);
        EXPECT_EQ(s.a0, c.expected.a0);
        EXPECT_EQ(s.a1, c.expected.a1);
        EXPECT_EQ(s.a2, c.expected.a2);
        EXPECT_EQ(s.y1L, 0.25f);  // the state is left alone
    }
}

TEST(CookbookShelf, ZeroDbIsExactlyFlat) {
    for (float rate : {8000.0f, 44100.0f, 48000.0f, 192000.0f}) {
        for (bool high : {false, true}) {
            PeakCoefficients c;
            if (high)
                designCookbookHighShelf(c, 5000.0f * rate / 192000.0f, 0.0f, rate);
            else
                designCookbookLowShelf(c, 100.0f, 0.0f, rate);
            EXPECT_EQ(c.b0, c.a0);
            EXPECT_EQ(c.b1, c.a1);
            EXPECT_EQ(c.b2, c.a2);
            EXPECT_NE(c.a0, 1.0);  // a0 is kept as designed
        }
    }
}

}  // namespace
