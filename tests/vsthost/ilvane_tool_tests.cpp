// The command-line host on Ilvane: renders at defaults and with the low shelf
// raised, both precisions, a stereo FLAC, and the measured shelf response.
#include <cmath>

#include "tool_run.h"

namespace {

using namespace tooltest;

const std::string kIlvane = PLUGIN_PATH_Ilvane;

double rmsDb(const Audio& a, int channel, long from) {
    double sum = 0;
    for (long i = from; i < a.frames(); ++i) sum += a.at(i, channel) * a.at(i, channel);
    return 10.0 * std::log10(sum / double(a.frames() - from));
}

double largestDifference(const Audio& a, const Audio& b, int channelsOfA) {
    double worst = 0;
    for (long i = 0; i < std::min(a.frames(), b.frames()); ++i)
        for (int c = 0; c < 2; ++c)
            worst = std::max(worst, std::fabs(a.at(i, channelsOfA == 1 ? 0 : c) - b.at(i, c)));
    return worst;
}

TEST(IlvaneTool, AtDefaultsReproducesTheInput) {
    TempDir dir;
    generate(dir / "in.wav", {"--signal", "noise", "--rate", "48000", "--encoding", "float"});
    ToolResult r = vsthost({"render", kIlvane, dir / "in.wav", dir / "out.wav"});
    ASSERT_EQ(r.status, 0) << r.err;
    Audio in = readAudio(dir / "in.wav"), out = readAudio(dir / "out.wav");
    ASSERT_EQ(out.frames(), in.frames());
    EXPECT_LT(largestDifference(in, out, 1), 1e-6);
}

TEST(IlvaneTool, LowGainAtFullRaisesA30HzToneByAbout12Db) {
    TempDir dir;
    generate(dir / "tone.wav", {"--signal", "sine", "--freq", "30", "--rate", "44100", "--encoding", "float"});
    ToolResult r = vsthost({"render", kIlvane, dir / "tone.wav", dir / "out.wav", "--set", "Low Gain=1.0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("set Low Gain = 1 (12.00000 dB)"), std::string::npos) << r.out;
    Audio in = readAudio(dir / "tone.wav"), out = readAudio(dir / "out.wav");
    const long settle = 22050;
    EXPECT_NEAR(rmsDb(out, 0, settle) - rmsDb(in, 0, settle), 12.0, 0.6);
    EXPECT_NEAR(rmsDb(out, 1, settle) - rmsDb(in, 0, settle), 12.0, 0.6);
}

TEST(IlvaneTool, SixtyFourAndThirtyTwoBitRendersAgree) {
    TempDir dir;
    generate(dir / "in.wav", {"--signal", "sweep", "--channels", "2", "--encoding", "float"});
    for (const char* precision : {"32", "64"}) {
        ToolResult r = vsthost({"render", kIlvane, dir / "in.wav", dir / ("out" + std::string(precision) + ".wav"),
                                "--precision", precision, "--set", "Low Gain=0.9", "--set", "High Gain=0.2"});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    Audio a = readAudio(dir / "out32.wav"), b = readAudio(dir / "out64.wav");
    ASSERT_EQ(a.frames(), b.frames());
    // The 32-bit path rounds every sample it passes between sections: the two
    // agree to far below audibility, not to the last bit.
    EXPECT_LT(largestDifference(a, b, 2), 1e-4);
    double sum = 0;
    for (size_t i = 0; i < a.samples.size(); ++i) sum += (a.samples[i] - b.samples[i]) * (a.samples[i] - b.samples[i]);
    EXPECT_LT(std::sqrt(sum / a.samples.size()), 1e-5);
    EXPECT_GT(largestDifference(readAudio(dir / "in.wav"), a, 2), 0.01) << "the settings did change the sound";
}

TEST(IlvaneTool, StereoFlacRoundTrips) {
    TempDir dir;
    generate(dir / "in.flac", {"--signal", "noise", "--channels", "2"});
    ToolResult r = vsthost({"render", kIlvane, dir / "in.flac", dir / "out.flac"});
    ASSERT_EQ(r.status, 0) << r.err;
    Audio in = readAudio(dir / "in.flac"), out = readAudio(dir / "out.flac");
    EXPECT_EQ(out.info.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(out.info.samplerate, in.info.samplerate);
    ASSERT_EQ(out.frames(), in.frames());
    EXPECT_LE(largestDifference(in, out, 2), 1.0 / 8388608);
}

TEST(IlvaneTool, ResponseOfTheFullLowShelfReadsSixDbAt100Hz) {
    TempDir dir;
    ToolResult r = vsthost({"response", kIlvane, "--csv", dir / "r.csv", "--png", dir / "r.png", "--set", "Low Gain=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream table(slurp(dir / "r.csv"));
    std::string line;
    bool found = false;
    while (std::getline(table, line)) {
        double hz, left, right;
        if (std::sscanf(line.c_str(), "%lf,%lf,%lf", &hz, &left, &right) != 3) continue;
        if (hz == 100.0) {
            found = true;
            EXPECT_NEAR(left, 6.0, 0.1);
            EXPECT_NEAR(right, 6.0, 0.1);
        }
        if (hz == 20.0) {
            EXPECT_NEAR(left, 12.0, 1.0);
        }
        if (hz == 20000.0) {
            EXPECT_NEAR(left, 0.0, 0.1);
        }
    }
    EXPECT_TRUE(found) << "no row for 100 Hz";
}

}  // namespace
