// Parameter changes from another thread while the UI thread opens, draws and
// closes the editor: the controls are touched on the UI thread only, and the
// last value shows after the next idle.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/editor_in_process.h"
#include "probe_effect.h"

namespace {

TEST(EditorBridgeThreads, ChangesFromAnotherThreadShowAtTheNextIdle) {
    InProcess p;
    p.open();
    auto* ed = static_cast<ProbeEditor*>(p.editor());
    std::atomic<bool> stop{false};
    std::thread automation([&] {
        for (int i = 0; !stop.load(); ++i) {
            p.effect()->setParameter(kLevel, (i % 100) / 100.0f);
            p.effect()->setParameter(kDrive, (i % 37) / 37.0f);
        }
        p.effect()->setParameter(kLevel, 0.25f);
        p.effect()->setParameter(kDrive, 0.75f);
    });
    for (int round = 0; round < 200; ++round) {
        p.dispatch(effEditIdle);  // redraws the controls the other thread changed
        if (round % 20 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
    }
    stop.store(true);
    automation.join();
    p.dispatch(effEditIdle);
    EXPECT_EQ(ed->level->getValue(), 0.25f);
    EXPECT_STREQ(ed->levelText->text(), "0.25");
    EXPECT_EQ(ed->drive->getValue(), 0.75f);
}

}  // namespace
