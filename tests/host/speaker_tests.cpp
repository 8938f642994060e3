// Speaker-arrangement helpers.
#include <gtest/gtest.h>

#include <cstring>

#include "host/audioeffectx.h"

namespace {

class ArrangementEffect : public AudioEffectX {
public:
    ArrangementEffect() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

TEST(Speakers, AllocateCopyMatchAndFree) {
    ArrangementEffect e;
    VstSpeakerArrangement* from = nullptr;
    ASSERT_TRUE(e.allocateArrangement(&from, 12));  // more than the declared eight
    EXPECT_EQ(from->numChannels, 12);
    from->type = 7;
    VstSpeakerProperties* speakers = from->speakers;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(speakers[i].type, 0);  // zeroed
        speakers[i].azimuth = static_cast<float>(i);
        std::memset(speakers[i].name, 'n', sizeof(speakers[i].name));  // unterminated
        speakers[i].type = i + 100;
    }

    VstSpeakerArrangement* to = nullptr;
    ASSERT_TRUE(e.matchArrangement(&to, from));
    EXPECT_EQ(to->numChannels, 12);
    EXPECT_EQ(to->type, 7);
    VstSpeakerProperties* copied = to->speakers;
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(copied[i].azimuth, static_cast<float>(i));
        EXPECT_EQ(copied[i].type, i + 100);
        EXPECT_EQ(strnlen(copied[i].name, 64), 63u);  // bounded, terminated
    }

    EXPECT_FALSE(e.matchArrangement(&to, nullptr));
    EXPECT_FALSE(e.copySpeaker(nullptr, copied));
    EXPECT_FALSE(e.copySpeaker(copied, nullptr));
    EXPECT_FALSE(e.allocateArrangement(&to, -1));
    EXPECT_EQ(to, nullptr);  // the old one was freed first
    EXPECT_TRUE(e.deallocateArrangement(&from));
    EXPECT_EQ(from, nullptr);
}

}  // namespace
