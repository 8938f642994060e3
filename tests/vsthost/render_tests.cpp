// `render` through the fixture plug-in (gain 2 on every sample, 32-bit only).
#include <cmath>

#include "tool_run.h"

namespace {

using namespace tooltest;

// One step of the output file's integer encoding, as read back in -1 to 1.
double step(const SF_INFO& info) {
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16: return 1.0 / 32768;
    case SF_FORMAT_PCM_24: return 1.0 / 8388608;
    default: return 1e-7;
    }
}

TEST(Render, KeepsRateAndFormatAndFeedsMonoToBothInputs) {
    struct Case {
        const char* name;
        std::vector<std::string> generate;
        int format, channels;
    } cases[] = {
        {"mono.wav", {"--signal", "sine", "--freq", "30", "--rate", "44100", "--encoding", "pcm16"},
         SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1},
        {"stereo.flac", {"--signal", "noise", "--channels", "2", "--rate", "48000"}, SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 2},
        {"stereo.aiff", {"--signal", "sweep", "--channels", "2", "--rate", "96000", "--encoding", "float"},
         SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        generate(dir / c.name, c.generate);
        ToolResult r = vsthost({"render", PLUGIN_PATH_Fixture24, dir / c.name, dir / ("out-" + std::string(c.name))});
        ASSERT_EQ(r.status, 0) << r.err;
        Audio in = readAudio(dir / c.name), out = readAudio(dir / ("out-" + std::string(c.name)));
        ASSERT_EQ(in.info.channels, c.channels);
        EXPECT_EQ(out.info.format, c.format);
        EXPECT_EQ(out.info.samplerate, in.info.samplerate);
        ASSERT_EQ(out.info.channels, 2);
        ASSERT_EQ(out.frames(), in.frames());
        double worst = 0.0;
        for (long i = 0; i < in.frames(); ++i)
            for (int ch = 0; ch < 2; ++ch)
                worst = std::max(worst, std::fabs(out.at(i, ch) - 2.0 * in.at(i, c.channels == 1 ? 0 : ch)));
        EXPECT_LE(worst, step(out.info)) << "output is not the plug-in's gain of 2 on the matching input";
        if (c.channels == 2) {
            EXPECT_NE(in.at(100, 0), in.at(100, 1));  // the channels stay apart
        }
    }
}

TEST(Render, GivesTheSameSamplesForAnyBlockSize) {
    TempDir dir;
    generate(dir / "in.wav", {"--signal", "noise", "--seconds", "0.3", "--encoding", "float"});
    std::vector<double> reference;
    for (const char* block : {"512", "1", "7", "4096"}) {
        SCOPED_TRACE(block);
        ToolResult r = vsthost({"render", PLUGIN_PATH_Fixture24, dir / "in.wav", dir / "out.wav", "--block", block});
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<double> samples = readAudio(dir / "out.wav").samples;
        ASSERT_EQ(samples.size(), 2u * 14400);
        if (reference.empty()) reference = samples;
        EXPECT_TRUE(samples == reference);
    }
}

TEST(Render, ClipsIntegerOutputAtFullScaleAndSaysSo) {
    TempDir dir;
    generate(dir / "loud.wav", {"--signal", "sine", "--freq", "100", "--level", "-1", "--encoding", "pcm16"});
    ToolResult r = vsthost({"render", PLUGIN_PATH_Fixture24, dir / "loud.wav", dir / "out.wav"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("exceeded full scale and were clipped"), std::string::npos) << r.err;
    Audio out = readAudio(dir / "out.wav");
    double top = 0, bottom = 0;
    for (double v : out.samples) top = std::max(top, v), bottom = std::min(bottom, v);
    EXPECT_GT(top, 0.999);     // clipped to full scale,
    EXPECT_LT(bottom, -0.999); // not wrapped around to the other sign
}

TEST(Render, AppliesSettingsByNameOrIndexAndReportsThem) {
    TempDir dir;
    generate(dir / "in.wav", {"--signal", "sine", "--seconds", "0.1"});
    ToolResult r = vsthost({"render", PLUGIN_PATH_Fixture24, dir / "in.wav", dir / "out.wav", "--set", "alpha=0.5",
                     "--set", "1=0.3", "--program", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("set Alpha = 0.5 (0.500000)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("set Beta = 0.3 (3)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("wrote " + (dir / "out.wav") + ": 4800 frames, 2 channels, 48000 Hz"), std::string::npos)
        << r.out;
}

}  // namespace
