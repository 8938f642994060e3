// The steep shelves' numbers: response of the designs, the exact float
// roundings, and the designs near and at 0 dB.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "response.h"
#include "plugins/faroll/shelf_design.h"

using namespace faroll;
using namespace dsp;

namespace {

using faroll::ShelfCascade;
using farolltest::cascadeDb;
using farolltest::stable;

ShelfCascade<float> lowShelf(float hz, float db, float rate) {
    ShelfCascade<float> c;
    faroll::designLowShelf(c, hz, db, rate);
    return c;
}

ShelfCascade<float> highShelf(float mirroredHz, float db, float rate) {
    ShelfCascade<float> c;
    faroll::designHighShelf(c, mirroredHz, db, rate);
    return c;
}

bool identity(const faroll::ShelfSection<float>& s) {
    return s.b0 == 1.0f && s.b1 == 0.0f && s.b2 == 0.0f && s.a0 == 1.0f && s.a1 == 0.0f &&
           s.a2 == 0.0f;
}

struct ResponseCase {
    float gainDb;
    double farBelow, atEdge, farAbove;  // expected dB for a low shelf
};

TEST(ShelfDesign, LowShelfGainBelowEdgeThreeQuartersAtEdgeNothingAbove) {
    const ResponseCase cases[] = {
        {-96.0f, -96.0, -72.0, 0.0}, {6.0f, 6.0, 4.5, 0.0}, {-19.2f, -19.2, -14.4, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gainDb);
        ShelfCascade<float> low = lowShelf(250.0f, c.gainDb, 44100.0f);
        EXPECT_TRUE(identity(low.sections[0]));
        EXPECT_NEAR(cascadeDb(low, 10.0, 44100.0), c.farBelow, 0.05);
        EXPECT_NEAR(cascadeDb(low, 250.0, 44100.0), c.atEdge, 0.05);
        EXPECT_NEAR(cascadeDb(low, 5000.0, 44100.0), c.farAbove, 0.01);
        for (const auto& s : low.sections) EXPECT_TRUE(stable(s.a0, s.a1, s.a2));
    }
}

TEST(ShelfDesign, HighShelfIsTheLowShelfMirroredAtHalfTheRate) {
    // An edge at 15000 Hz at 44100 Hz is designed at 22050 - 15000 = 7050 Hz.
    ShelfCascade<float> high = highShelf(7050.0f, -96.0f, 44100.0f);
    ShelfCascade<float> low = lowShelf(7050.0f, -96.0f, 44100.0f);
    EXPECT_TRUE(identity(high.sections[0]));
    EXPECT_NEAR(cascadeDb(high, 15000.0, 44100.0), -72.0, 0.05);
    EXPECT_NEAR(cascadeDb(high, 21500.0, 44100.0), -96.0, 0.5);
    EXPECT_NEAR(cascadeDb(high, 1000.0, 44100.0), 0.0, 0.01);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(high.sections[k].b0, low.sections[k].b0);
        EXPECT_EQ(high.sections[k].b1, -low.sections[k].b1);
        EXPECT_EQ(high.sections[k].b2, low.sections[k].b2);
        EXPECT_EQ(high.sections[k].a1, -low.sections[k].a1);
        EXPECT_EQ(high.sections[k].a2, low.sections[k].a2);
    }
}

TEST(ShelfDesign, ExactlyZeroDbUsesTheSmallReferenceGain) {
    // 0 dB below the edge (within the float coefficients' quantisation), the
    // reference of -0.002 dB on the far side.
    ShelfCascade<float> low = lowShelf(250.0f, 0.0f, 44100.0f);
    EXPECT_NEAR(cascadeDb(low, 1.0, 44100.0), 0.0, 0.005);
    EXPECT_NEAR(cascadeDb(low, 22000.0, 44100.0), -0.002, 1e-4);
    ShelfCascade<float> high = highShelf(19050.0f, 0.0f, 44100.0f);
    EXPECT_NEAR(cascadeDb(high, 22049.0, 44100.0), 0.0, 0.005);
    EXPECT_NEAR(cascadeDb(high, 100.0, 44100.0), -0.002, 1e-4);
}

TEST(ShelfDesign, GainsNextToZeroStayFiniteAndNearlyTransparent) {
    const float tiny[] = {1e-6f,  -1e-6f, 5e-7f, 2e-6f, -3e-7f, 1e-9f, 1e-20f,
                          1e-38f, std::numeric_limits<float>::denorm_min()};
    for (float db : tiny) {
        SCOPED_TRACE(db);
        ShelfCascade<float> low = lowShelf(250.0f, db, 44100.0f);
        for (const auto& s : low.sections) {
            for (float v : {s.b0, s.b1, s.b2, s.a1, s.a2}) EXPECT_TRUE(std::isfinite(v));
            EXPECT_TRUE(stable(s.a0, s.a1, s.a2));
        }
        for (double hz : {10.0, 250.0, 2000.0, 20000.0})
            EXPECT_NEAR(cascadeDb(low, hz, 44100.0), 0.0, 1e-4) << hz;
    }
}

TEST(ShelfDesign, DesignLeavesTheMemoriesAlone) {
    ShelfCascade<double> c;
    c.sections[3].y1L = 0.25;
    c.sections[3].x2R = -0.5;
    faroll::designLowShelf(c, 100.0f, -30.0f, 48000.0f);
    EXPECT_EQ(c.sections[3].y1L, 0.25);
    EXPECT_EQ(c.sections[3].x2R, -0.5);
}

// The design with every single value passed through a volatile float, so
// that no optimisation can merge a rounding away. Double everywhere else.
faroll::ShelfFactor referenceFactor(int k, float hz, float db, float rate, bool rounded) {
    auto single = [rounded](double v) {
        volatile float f = static_cast<float>(v);
        return rounded ? static_cast<double>(f) : v;
    };
    const double twoPi = rounded ? double(6.2831854820251465) : 2.0 * M_PI;
    const double pi = rounded ? double(3.1415927410125732) : M_PI;
    const double tenth = rounded ? double(0.10000000149011612) : 0.1;
    double w = single(twoPi * hz / rate);
    double A = 0, B = 0.75 * db;
    double G0 = single(std::pow(10.0, single(A / 20))), G = single(std::pow(10.0, single(db / 20.0)));
    double GB = single(std::pow(10.0, single(B / 20)));
    double g = single(std::pow(G, tenth)), g0 = single(std::pow(G0, tenth));
    double t = single(std::tan(single(w * 0.5)));
    double e = single(std::sqrt(single((single(G * G) - single(GB * GB)) /
                                       (single(GB * GB) - single(G0 * G0)))));
    double beta = single(t / single(std::pow(e, tenth)));
    double s = single(std::sin(single((2 * k - 1) * pi / 20)));
    double b2_ = single(beta * beta), g2 = single(g * g), g02 = single(g0 * g0);
    double D = b2_ + 2 * s * beta + 1;
    auto f = [](double v) { return static_cast<float>(v); };
    return {f((g02 + 2 * g * g0 * s * beta + g2 * b2_) / D), f(2 * (g2 * b2_ - g02) / D),
            f((g02 + g2 * b2_ - 2 * g * g0 * s * beta) / D), f(2 * (b2_ - 1) / D),
            f((b2_ - 2 * s * beta + 1) / D)};
}

TEST(ShelfDesign, EveryFloatRoundingIsKept) {
    // A rounding that the optimiser drops changes some coefficient: the
    // unrounded design differs from the rounded one in these cases.
    int unroundedDiffers = 0;
    struct Case {
        float hz, db, rate;
    } cases[] = {{250.0f, -96.0f, 44100.0f}, {70.0f, 6.0f, 48000.0f},
                 {7050.0f, -19.2f, 44100.0f}, {499.99997f, 4.8f, 96000.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hz);
        faroll::ShelfFactor f[5];
        faroll::designShelfFactors(f, c.hz, c.db, c.rate);
        for (int k = 1; k <= 5; ++k) {
            faroll::ShelfFactor want = referenceFactor(k, c.hz, c.db, c.rate, true);
            faroll::ShelfFactor loose = referenceFactor(k, c.hz, c.db, c.rate, false);
            EXPECT_EQ(std::memcmp(&f[k - 1], &want, sizeof want), 0) << "section " << k;
            unroundedDiffers += std::memcmp(&loose, &want, sizeof want) != 0;
        }
    }
    EXPECT_GE(unroundedDiffers, 5);
}

}  // namespace
