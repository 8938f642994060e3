// Hand-over of whole values to the audio thread, on one thread.
#include <gtest/gtest.h>

#include "realtime/published.h"

namespace {

struct Pair {
    int a = 0;
    int b = 0;
};

TEST(Published, ReaderSeesTheNewestWholeValue) {
    Published<Pair> p(Pair{1, 1});
    EXPECT_EQ(p.current().a, 1);
    p.publish(Pair{2, 2});
    p.publish(Pair{3, 3});
    EXPECT_EQ(p.current().a, 3);
    EXPECT_EQ(p.current().b, 3);
    // Updates start from the newest value, not from a stale slot.
    p.update([](Pair& v) { v.b = 9; });
    EXPECT_EQ(p.current().a, 3);
    EXPECT_EQ(p.current().b, 9);
    EXPECT_EQ(p.latest().b, 9);
    // With nothing new the reader keeps what it has.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(p.current().b, 9);
}

TEST(Published, GenerationTellsANewValueWhereAddressesRepeat) {
    Published<Pair> p(Pair{0, 0});
    const Pair* first = &p.current();
    EXPECT_EQ(p.generation(), 0u);
    bool addressRepeated = false;
    for (int i = 1; i <= 6; ++i) {
        p.publish(Pair{i, i});
        const Pair* now = &p.current();
        EXPECT_EQ(p.generation(), static_cast<unsigned long>(i));
        EXPECT_EQ(now->a, i);
        addressRepeated = addressRepeated || now == first;
    }
    // The slots are reused: comparing addresses would miss some new values.
    EXPECT_TRUE(addressRepeated);
    p.current();
    EXPECT_EQ(p.generation(), 6u);  // nothing new, nothing taken
}

}  // namespace
