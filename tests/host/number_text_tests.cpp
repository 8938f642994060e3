// The number-to-text helpers: exact texts, truncation and the bounds they keep.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "host/audioeffectx.h"

namespace {

class TextEffect : public AudioEffectX {
public:
    TextEffect() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

constexpr char kMarker = 0x7e;

// The text written, and checks that nothing past maxLen + 1 bytes was touched.
template <class Write>
std::string written(VstInt32 maxLen, Write write) {
    char buffer[64];
    std::memset(buffer, kMarker, sizeof(buffer));
    write(buffer);
    for (int i = maxLen + 1; i < static_cast<int>(sizeof(buffer)); ++i)
        EXPECT_EQ(buffer[i], kMarker) << "byte " << i << " written past maxLen " << maxLen;
    EXPECT_EQ(buffer[maxLen], 0) << "no terminator at maxLen";
    return std::string(buffer, strnlen(buffer, sizeof(buffer)));
}

struct FloatCase {
    float value;
    VstInt32 maxLen;
    const char* text;
};

TEST(NumberText, Float2String) {
    TextEffect e;
    const FloatCase cases[] = {
        {0.0f, 8, "0.000000"},       {6.5f, 8, "6.500000"},        {0.7f, 8, "0.699999"},
        {-12.0f, 8, "-12.0000"},     {-3.25f, 8, "-3.25000"},      {1234567.0f, 8, "1234567."},
        {12345678.0f, 8, "2345678."}, {-9999999.0f, 8, "-999999."}, {100000000.0f, 8, "Huge!"},
        {-10000000.0f, 8, "Huge!"},  {12.0f, 8, "12.00000"},       {50.0f, 5, "50.00"},
        {1592.4287f, 6, "1592.4"},   {4.8f, 8, "4.800000"},        {-96.0f, 5, "-96.0"},
        {std::numeric_limits<float>::infinity(), 8, "Huge!"},
        {-std::numeric_limits<float>::infinity(), 8, "Huge!"},
        {std::numeric_limits<float>::quiet_NaN(), 8, "NaN"},
        {3.0f, 0, ""},               {123.5f, 2, "12"},
    };
    for (const FloatCase& c : cases)
        EXPECT_EQ(written(c.maxLen, [&](char* t) { e.float2string(c.value, t, c.maxLen); }),
                  c.text)
            << c.value << " maxLen " << c.maxLen;
}

struct IntCase {
    VstInt32 value;
    VstInt32 maxLen;
    const char* text;
};

TEST(NumberText, Int2String) {
    TextEffect e;
    const IntCase cases[] = {
        {0, 8, ""},           {1, 8, "1"},          {-5, 8, "-5"},
        {100000000, 8, "Huge!"}, {99999999, 8, "99999999"}, {12, 8, "12"},
        {3, 1, "3"},          {-12, 1, "-"},        {1000, 8, "1000"},
        {-99999999, 8, "-9999999"},
        {std::numeric_limits<VstInt32>::min(), 8, "Huge!"},
        {std::numeric_limits<VstInt32>::max(), 8, "Huge!"},
    };
    for (const IntCase& c : cases)
        EXPECT_EQ(written(c.maxLen, [&](char* t) { e.int2string(c.value, t, c.maxLen); }), c.text)
            << c.value << " maxLen " << c.maxLen;
}

TEST(NumberText, DecibelsHertzAndMilliseconds) {
    TextEffect e;
    EXPECT_EQ(written(8, [&](char* t) { e.dB2string(0.0f, t, 8); }), "-oo");
    EXPECT_EQ(written(8, [&](char* t) { e.dB2string(-1.0f, t, 8); }), "-oo");
    EXPECT_EQ(written(8, [&](char* t) { e.dB2string(1.0f, t, 8); }), "0.000000");
    EXPECT_EQ(written(8, [&](char* t) { e.dB2string(10.0f, t, 8); }), "20.00000");
    EXPECT_EQ(written(8, [&](char* t) { e.Hz2string(0.0f, t, 8); }), "0.000000");
    EXPECT_EQ(written(8, [&](char* t) { e.Hz2string(441.0f, t, 8); }), "100.0000");
    EXPECT_EQ(written(8, [&](char* t) { e.ms2string(441.0f, t, 8); }), "10.00000");
    e.setSampleRate(48000.0f);
    EXPECT_EQ(written(8, [&](char* t) { e.Hz2string(480.0f, t, 8); }), "100.0000");
    EXPECT_EQ(written(8, [&](char* t) { e.ms2string(48.0f, t, 8); }), "1.000000");
}

}  // namespace
