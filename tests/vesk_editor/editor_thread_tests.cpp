// Host automation and program changes on another thread while the user works
// the open panel and the UI thread idles: the controls change on the UI thread
// only and end showing the effect's last values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "plugins/vesk/editor.h"
#include "plugins/vesk/layout.h"
#include "tests/support/editor_in_process.h"

using namespace vesk;

namespace {

TEST(VeskEditorThreads, HostChangesWhileTheUserDragsAndTheUiIdles) {
    InProcess p;
    p.open();
    auto* ed = static_cast<Editor*>(p.editor());
    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) {
            p.effect()->setParameter(1 + i % 18, (i % 50) / 50.0f);
            if (i % 500 == 0) p.effect()->setProgram((i / 500) % 3);
        }
        p.effect()->setProgram(0);
        for (int i = 1; i <= 18; ++i) p.effect()->setParameter(i, 0.75f);
    });
    const int x = layout::sliderLeft(0) + 5;
    for (int round = 0; round < 100; ++round) {
        p.drag(CPoint(x, 72), {CPoint(x, 60), CPoint(x, 40)});  // Input, which the host leaves alone
        p.dispatch(effEditIdle);
        if (round % 25 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
    }
    stop.store(true);
    host.join();
    p.dispatch(effEditIdle);
    for (int i = 1; i <= 18; ++i) {
        EXPECT_EQ(ed->slider(i)->getValue(), 0.75f) << i;
        EXPECT_EQ(ed->display(i)->getValue(), 6.0f) << i;
    }
    EXPECT_EQ(ed->slider(0)->getValue(), p.effect()->getParameter(0));
}

}  // namespace
