// 200 open/close cycles of each editor in a real X11 window, with host
// automation from another thread throughout: no crash, and after the cycles
// no more heap in use, open file descriptors or X windows than after the
// first few (which fill the toolkit's and the X library's caches).
#include <gtest/gtest.h>

#include <dirent.h>
#include <malloc.h>

#include <atomic>
#include <thread>

#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
#include "tools/hostile/hostile.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of heap in use (its quarantine not included).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

using suite::PluginRow;

constexpr int kWarmUp = 10;
constexpr int kCycles = 200;
// Heap that may appear over 200 cycles without a leak. cairo's and pixman's
// glyph caches (bounded, process-wide) keep filling while random value texts
// are drawn: Vesk's twenty displays add from 4 to about 60 KB over 200 cycles,
// depending on how many different texts the automation thread made. A leak of
// 1.3 KB or more a cycle still fails; descriptors and X windows must not grow.
constexpr long kHeapSlack = 256 * 1024;

long heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long>(mallinfo2().uordblks);
#endif
}

int openDescriptors() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d)) ++n;
        closedir(d);
    }
    return n;
}

int windowsUnder(Display* d, Window w) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
    int n = static_cast<int>(count);
    for (unsigned i = 0; i < count; ++i) n += windowsUnder(d, children[i]);
    if (children) XFree(children);
    return n;
}

// Every window on the server, counted through a connection of the test's own.
int windowsOnServer() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return -1;
    const int n = windowsUnder(d, DefaultRootWindow(d));
    XCloseDisplay(d);
    return n;
}

class EditorStress : public ::testing::TestWithParam<PluginRow> {
protected:
    static void SetUpTestSuite() {
        std::string error;
        server = editorview::XServer::startXvfb(error).release();
        if (!server) startError = error;
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    static editorview::XServer* server;
    static std::string startError;
};
editorview::XServer* EditorStress::server = nullptr;
std::string EditorStress::startError;

TEST_P(EditorStress, OpenAndCloseUnderAutomationLeaksNothing) {
    const PluginRow& row = GetParam();
    ASSERT_TRUE(server) << startError;
    LoadedPlugin p(row.path);
    ASSERT_TRUE(p.create());
    AEffect* e = p.plugin->effect();
    if (!(e->flags & effFlagsHasEditor)) GTEST_SKIP() << row.name << " has no editor yet";
    auto rect = p.plugin->editorRect();
    ASSERT_TRUE(rect);
    editorview::HostWindow window(rect->right - rect->left, rect->bottom - rect->top, row.name);
    ASSERT_TRUE(window.ok());

    std::atomic<bool> done{false};
    std::thread automation([&] {
        hostile::Rng rng(5);
        while (!done.load(std::memory_order_relaxed)) {
            if (rng.oneIn(7))
                p.plugin->dispatch(effSetProgram, 0, rng.below(static_cast<std::uint32_t>(e->numPrograms)));
            else
                p.plugin->setParameter(static_cast<VstInt32>(rng.below(static_cast<std::uint32_t>(e->numParams))),
                                       static_cast<float>(rng.unit()));
            std::this_thread::yield();
        }
    });

    long heapBefore = 0;
    int fdsBefore = 0, windowsBefore = 0, openWindowsFirst = 0, openWindowsLast = 0;
    for (int cycle = 0; cycle < kWarmUp + kCycles; ++cycle) {
        if (cycle == kWarmUp) {
            heapBefore = heapInUse();
            fdsBefore = openDescriptors();
            windowsBefore = windowsOnServer();
        }
        ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1) << "cycle " << cycle;
        p.plugin->idleEditorFor(5);
        window.pump();
        if (cycle == kWarmUp) openWindowsFirst = windowsOnServer();
        if (cycle == kWarmUp + kCycles - 1) openWindowsLast = windowsOnServer();
        p.plugin->dispatch(effEditClose);
        window.pump();
        p.host.clearCalls();  // the host's record of calls keeps its capacity
    }
    done = true;
    automation.join();
    const long heapAfter = heapInUse();
    const int fdsAfter = openDescriptors(), windowsAfter = windowsOnServer();
    std::printf("%s: %d cycles; heap %+ld bytes, descriptors %d -> %d, X windows %d -> %d (%d -> %d open)\n",
                row.name, kCycles, heapAfter - heapBefore, fdsBefore, fdsAfter, windowsBefore, windowsAfter,
                openWindowsFirst, openWindowsLast);
    EXPECT_LE(heapAfter - heapBefore, kHeapSlack);
    EXPECT_EQ(fdsAfter, fdsBefore);
    EXPECT_EQ(windowsAfter, windowsBefore);
    EXPECT_GE(windowsBefore, 1);
    EXPECT_GT(openWindowsFirst, windowsBefore) << "the open editor shows no window of its own";
    EXPECT_EQ(openWindowsLast, openWindowsFirst);
}

INSTANTIATE_TEST_SUITE_P(Plugins, EditorStress, ::testing::ValuesIn(suite::plugins()),
                         [](const auto& info) { return suite::rowName(info.param); });

}  // namespace
