// Host automation from another thread while the UI thread idles the open
// panel and the user clicks: the controls change on the UI thread only and
// end showing the last values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "faroll_panel.h"

using namespace faroll::layout;

namespace {

TEST(FarollEditorThreads, HostChangesWhileTheUiThreadIdles) {
    FarollPanel panel;
    InProcess& p = panel.p;
    p.open();
    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) {
            p.effect()->setParameter(kMidFreq, (i % 50) / 50.0f);
            p.effect()->setParameter(kHighCut, float(i % 2));
            if (i % 100 == 0) p.effect()->setParameter(kReset, 1.0f);
        }
        p.effect()->setParameter(kMidFreq, 1.0f);
        p.effect()->setParameter(kHighCut, 0.0f);
    });
    for (int round = 0; round < 100; ++round) {
        panel.click(panel.button(kLowCut));
        p.dispatch(effEditIdle);
        if (round % 25 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
    }
    stop.store(true);
    host.join();
    p.dispatch(effEditIdle);
    EXPECT_STREQ(panel.text(kMidFreq)->text(), "2000.00 Hz");
    EXPECT_EQ(panel.knob(kMidFreq)->pictureIndex(), 62);
    EXPECT_EQ(panel.button(kHighCut)->getValue(), 0.0f);
    EXPECT_EQ(panel.button(kLowCut)->getValue(), p.effect()->getParameter(kLowCut));
}

}  // namespace
