// Host automation on another thread while the user works the open panel: the
// controls change on the UI thread only and end showing the last values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "plugins/ilvane/editor.h"
#include "tests/support/editor_in_process.h"

using namespace ilvane;

namespace {

TEST(IlvaneEditorThreads, AutomationWhileTheUserDragsAndResets) {
    InProcess p;
    p.open();
    auto* ed = static_cast<Editor*>(p.editor());
    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) p.effect()->setParameter(1, (i % 50) / 50.0f);
        p.effect()->setParameter(1, 0.75f);
    });
    for (int round = 0; round < 100; ++round) {
        const CRect handle = ed->getLowSlider()->handleRect();
        p.drag(CPoint(handle.left + 5, 30), {CPoint(handle.left + 9, 30)});
        p.press(300, 100);  // reset
        p.release(300, 100);
        p.dispatch(effEditIdle);
        if (round % 25 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
    }
    stop.store(true);
    host.join();
    p.dispatch(effEditIdle);
    EXPECT_STREQ(ed->getHighText()->text(), "6.00 dB");
    EXPECT_EQ(ed->getHighSlider()->getValue(), 0.75f);
    EXPECT_STREQ(ed->getLowText()->text(), "0.00 dB");
}

}  // namespace
