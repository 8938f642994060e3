// Host automation on another thread while the panel is open and the UI thread
// idles and works a knob: the views change on the UI thread only and end
// showing the last values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "plugins/gelmira/editor.h"
#include "plugins/gelmira/layout.h"
#include "tests/support/editor_in_process.h"

using namespace gelmira;

namespace {

TEST(GelmiraEditorThreads, HostChangesWhileTheUserTurnsAKnob) {
    InProcess p;
    p.open();
    auto* ed = static_cast<Editor*>(p.editor());
    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) {
            p.effect()->setParameter(11, (i % 50) / 50.0f);
            p.effect()->setParameter(2, (i % 47) / 47.0f);
        }
        p.effect()->setParameter(11, 0.5f);
        p.effect()->setParameter(2, 1.0f);
    });
    const CRect k = layout::knobOf(layout::kFilterWidth).size;
    for (int round = 0; round < 100; ++round) {
        p.drag(CPoint(k.left + 15, k.top + 15), {CPoint(k.left + 15 + round % 7, k.top + 15)});
        p.dispatch(effEditIdle);
        if (round % 25 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
    }
    stop.store(true);
    host.join();
    p.dispatch(effEditIdle);
    EXPECT_STREQ(ed->getDryWetText()->text(), " 50 %");
    EXPECT_EQ(ed->knob(11)->getValue(), 0.5f);
    EXPECT_STREQ(ed->getRootText()->text(), "B 2");
    EXPECT_EQ(ed->knob(2)->getValue(), 1.0f);
}

}  // namespace
