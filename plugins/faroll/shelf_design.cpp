// Butterworth shelf of order ten, defined by its bandwidth gain at the edge.
// Every value named single is rounded to float where it is formed; everything
// else is double. The roundings fix the exact coefficients.
#include "plugins/faroll/shelf_design.h"

#include <cmath>

namespace faroll {
namespace {

constexpr double kTwoPi = static_cast<double>(6.283185307179586f);
constexpr double kPi = static_cast<double>(3.141592653589793f);
constexpr double kTenth = static_cast<double>(0.1f);

// Rounds to float and back. A function call the optimiser keeps per value,
// so that no rounding is merged away.
inline double single(double v) { return static_cast<double>(static_cast<float>(v)); }

// (G^2 - GB^2) / (GB^2 - G0^2) from the gains in dB, in double precision:
// the value the single-precision ratio approximates. Used when the single
// gains coincide (a gain within about a millionth of a dB of 0), where that
// ratio is 0/0 or 0.
double exactBandwidthRatio(double gainDb, double bandwidthDb, double referenceDb) {
    const double k = std::log(10.0) / 10.0;  // dB to ln of a power ratio
    double g = std::expm1(gainDb * k), gb = std::expm1(bandwidthDb * k),
           g0 = std::expm1(referenceDb * k);
    return (g - gb) / (gb - g0);
}

bool usable(double ratio) { return std::isfinite(ratio) && ratio > 0.0; }

}  // namespace

void designShelfFactors(ShelfFactor factors[5], float frequencyHz, float gainDb,
                        float sampleRate) {
    const double w = single(kTwoPi * frequencyHz / sampleRate);

    double referenceDb = 0.0, bandwidthDb = 0.75 * gainDb;
    if (gainDb == 0.0f) {
        referenceDb = static_cast<double>(-0.002f);
        bandwidthDb = static_cast<double>(-0.001f);
    }
    const double G0 = single(std::pow(10.0, single(referenceDb / 20.0)));
    const double G = single(std::pow(10.0, single(gainDb / 20.0)));
    const double GB = single(std::pow(10.0, single(bandwidthDb / 20.0)));

    const double g = single(std::pow(G, kTenth));
    const double g0 = single(std::pow(G0, kTenth));
    const double t = single(std::tan(single(w * 0.5)));

    const double G2 = single(G * G), GB2 = single(GB * GB), G02 = single(G0 * G0);
    double ratio = single((G2 - GB2) / (GB2 - G02));
    if (!usable(ratio)) ratio = single(exactBandwidthRatio(gainDb, bandwidthDb, referenceDb));
    if (!usable(ratio)) ratio = single(1.0 / 3.0);  // the limit as the gain goes to 0
    const double e = single(std::sqrt(ratio));
    const double beta = single(t / single(std::pow(e, kTenth)));

    const double beta2 = single(beta * beta), g2 = single(g * g), g02 = single(g0 * g0);
    for (int k = 1; k <= 5; ++k) {
        const int i = 2 * k - 1;
        const double s = single(std::sin(single(i * kPi / 20.0)));
        const double D = beta2 + 2.0 * s * beta + 1.0;
        ShelfFactor& f = factors[k - 1];
        f.b0 = static_cast<float>((g02 + 2.0 * g * g0 * s * beta + g2 * beta2) / D);
        f.b1 = static_cast<float>(2.0 * (g2 * beta2 - g02) / D);
        f.b2 = static_cast<float>((g02 + g2 * beta2 - 2.0 * g * g0 * s * beta) / D);
        f.a1 = static_cast<float>(2.0 * (beta2 - 1.0) / D);
        f.a2 = static_cast<float>((beta2 - 2.0 * s * beta + 1.0) / D);
    }
}

}  // namespace faroll
