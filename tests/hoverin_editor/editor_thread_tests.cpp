// Host automation on another thread while the UI thread idles and the user
// works a knob: the controls change on the UI thread only and end showing
// the last values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "plugins/hoverin/editor.h"
#include "tests/support/editor_in_process.h"

using namespace hoverin;

namespace {

TEST(HoverinEditorThreads, HostChangesFromAnotherThreadWhileTheUiIdles) {
    InProcess p;
    p.open();
    auto* ed = static_cast<Editor*>(p.editor());
    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) {
            p.effect()->setParameter(2, (i % 10) / 9.0f);       // Rate
            p.effect()->setParameter(4, (i % 50) / 50.0f);      // Frequency
            p.effect()->setParameter(5, (i % 7) / 7.0f);        // Out Gain
        }
        p.effect()->setParameter(2, 1.0f);
        p.effect()->setParameter(4, 1.0f);
        p.effect()->setParameter(5, 0.0f);
    });
    for (int round = 0; round < 100; ++round) {
        p.drag(CPoint(42, 52), {CPoint(42, 48), CPoint(42, 56)});  // Dry Wet
        p.dispatch(effEditIdle);
        if (round % 25 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
    }
    stop.store(true);
    host.join();
    p.dispatch(effEditIdle);
    EXPECT_STREQ(ed->getDisplay(2)->text(), "16/1");
    EXPECT_STREQ(ed->getDisplay(4)->text(), "4000.00Hz");
    EXPECT_STREQ(ed->getDisplay(5)->text(), "-96.00dB");
    EXPECT_EQ(ed->getKnob(4)->getValue(), 1.0f);
    EXPECT_STREQ(ed->shownRateText(), "16/1");
}

}  // namespace
