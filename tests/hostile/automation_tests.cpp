// Legal automation faster than the audio: eight random legal changes (one in
// seven a program change) before every one-frame block, 100 000 frames, on
// noise of amplitude 0.5. No plug-in may hand the host a non-finite sample,
// and the output stays within the loudest any legal setting makes.
#include <gtest/gtest.h>

#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
#include "tools/hostile/hostile.h"

namespace {

using suite::PluginRow;

class AudioRateAutomation : public ::testing::TestWithParam<std::tuple<PluginRow, bool>> {};

TEST_P(AudioRateAutomation, OutputStaysFiniteAndBounded) {
    const auto& [row, doublePrecision] = GetParam();
    if (doublePrecision && !row.doublePrecision) GTEST_SKIP() << row.name << " offers 32-bit samples only";
    LoadedPlugin p(row.path);
    ASSERT_TRUE(p.create());
    const auto result = hostile::automateAtAudioRate(*p.plugin, 6035, 100000, 8, 1, doublePrecision);
    EXPECT_EQ(result.frames, 100000);
    EXPECT_EQ(result.nonFinite, 0) << "first non-finite sample at frame " << result.firstNonFiniteFrame;
    EXPECT_LE(result.peak, hostile::kAutomationBound);
    RecordProperty("peak", std::to_string(result.peak));
    std::printf("%s %s-bit: peak %.4g, %ld non-finite samples\n", row.name, doublePrecision ? "64" : "32",
                result.peak, result.nonFinite);
}

INSTANTIATE_TEST_SUITE_P(Plugins, AudioRateAutomation,
                         ::testing::Combine(::testing::ValuesIn(suite::plugins()), ::testing::Bool()),
                         [](const auto& info) {
                             return suite::rowName(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "_double" : "_float");
                         });

}  // namespace
