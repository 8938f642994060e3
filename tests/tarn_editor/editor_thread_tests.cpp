// Host automation and program changes on another thread while the UI thread
// idles, opens and closes the panel: the controls change on the UI thread
// only and end showing the last values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "plugins/tarn/editor.h"
#include "plugins/tarn/tarn.h"
#include "tests/support/editor_in_process.h"

using namespace tarn;

namespace {

TEST(TarnEditorThreads, HostChangesWhileTheUiThreadIdles) {
    InProcess p;
    p.open();
    auto* ed = static_cast<Editor*>(p.editor());
    std::atomic<bool> stop{false};
    std::thread host([&] {
        for (int i = 0; !stop.load(); ++i) {
            p.effect()->setParameter(i % 10, (i % 50) / 50.0f);
            if (i % 97 == 0) p.effect()->setProgram(i % 3);
        }
        p.effect()->setProgram(0);
        p.effect()->setParameter(Tarn::kMidGain, 0.75f);
        p.effect()->setParameter(Tarn::kLimiter, 1.0f);
    });
    for (int round = 0; round < 300; ++round) {
        p.dispatch(effEditIdle);
        if (round % 60 == 0) {
            p.dispatch(effEditClose);
            p.open();
        }
        if (round % 7 == 0) p.press(110, 224), p.release(110, 224);  // the limiter switch
    }
    stop.store(true);
    host.join();
    p.dispatch(effEditIdle);
    EXPECT_STREQ(ed->getValueText(Tarn::kMidGain)->text(), "6.00 dB");
    EXPECT_EQ(ed->getKnob(Tarn::kMidGain)->getValue(), 0.75f);
    EXPECT_EQ(ed->getLimiterButton()->getValue(), 1.0f);
    for (VstInt32 index = 0; index < 9; ++index)
        EXPECT_EQ(ed->getKnob(index)->getValue(), p.effect()->getParameter(index)) << index;
}

}  // namespace
