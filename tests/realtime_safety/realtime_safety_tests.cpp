// While every plug-in processes, in each form it offers, and two other
// threads change its parameters and programs, the audio thread allocates
// nothing, takes no lock and makes no system call: every such call made
// inside a processing entry is counted by the replacements in interpose.cpp.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/realtime_safety/interpose.h"
#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
#include "tools/hostile/hostile.h"

namespace {

using suite::PluginRow;

std::string forbidden() {
    realtime::ForbiddenCall calls[64];
    const int n = realtime::forbiddenCalls(calls, 64);
    std::string text;
    for (int i = 0; i < n && i < 64; ++i)
        text += (text.empty() ? "" : ", ") + std::string(calls[i].function) + " x" + std::to_string(calls[i].count);
    return text;
}

// The replacements must see what a plug-in would call: a call made from
// this program inside a marked section is counted, one outside is not.
TEST(RealtimeInterposition, CountsOnlyInsideAProcessingCall) {
    realtime::resetForbiddenCalls();
    std::vector<int>* outside = new std::vector<int>(100);
    delete outside;
    EXPECT_EQ(forbidden(), "");
    realtime::enterAudio();
    std::vector<int>* inside = new std::vector<int>(100);
    delete inside;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    realtime::leaveAudio();
    EXPECT_NE(forbidden().find("operator new"), std::string::npos) << forbidden();
    realtime::resetForbiddenCalls();
}

// A loaded library binds to the replacements: building an effect (which
// allocates) inside a marked section is seen, and every replaced function is
// what a library's lookup finds.
TEST(RealtimeInterposition, SeesWhatALoadedPlugInCalls) {
    LoadedPlugin p(suite::plugins().front().path);
    realtime::resetForbiddenCalls();
    realtime::enterAudio();
    const bool created = p.create();
    realtime::leaveAudio();
    ASSERT_TRUE(created);
    EXPECT_NE(forbidden().find("operator new"), std::string::npos) << forbidden();
    realtime::resetForbiddenCalls();
    for (const char* name : {"malloc", "free", "calloc", "realloc", "pthread_mutex_lock", "pthread_mutex_unlock",
                             "pthread_cond_wait", "sem_wait", "syscall", "write", "read", "nanosleep",
                             "clock_nanosleep", "sched_yield", "mmap", "munmap", "_Znwm", "_ZdlPv"}) {
        void* found = dlsym(RTLD_DEFAULT, name);
        Dl_info where{};
        ASSERT_TRUE(found && dladdr(found, &where)) << name;
        EXPECT_EQ(std::string(where.dli_fname).find("libc.so"), std::string::npos)
            << name << " resolves to " << where.dli_fname;
        EXPECT_NE(std::string(where.dli_fname).find("realtime_safety_tests"), std::string::npos)
            << name << " resolves to " << where.dli_fname;
    }
}

class RealtimeSafety : public ::testing::TestWithParam<PluginRow> {};

TEST_P(RealtimeSafety, AudioThreadNeverAllocatesLocksOrCallsTheSystem) {
    const PluginRow& row = GetParam();
    LoadedPlugin p(row.path);
    ASSERT_TRUE(p.create());
    AEffect* e = p.plugin->effect();
    p.plugin->setSampleRate(48000.0f);
    p.plugin->setBlockSize(1024);
    p.plugin->resume();

    std::atomic<bool> done{false};
    auto automate = [&](std::uint64_t seed) {
        hostile::Rng rng(seed);
        while (!done.load(std::memory_order_relaxed)) {
            if (rng.oneIn(7))
                p.plugin->dispatch(effSetProgram, 0, rng.below(static_cast<std::uint32_t>(e->numPrograms)));
            else
                p.plugin->setParameter(static_cast<VstInt32>(rng.below(static_cast<std::uint32_t>(e->numParams))),
                                       static_cast<float>(rng.unit()));
        }
    };
    std::thread first(automate, 11), second(automate, 12);

    // Buffers exist before the first processing call; the audio thread only
    // fills them.
    hostile::Rng rng(13);
    std::vector<float> fin[2], fout[2];
    std::vector<double> din[2], dout[2];
    for (int c = 0; c < 2; ++c) {
        fin[c].resize(1024);
        fout[c].resize(1024);
        din[c].resize(1024);
        dout[c].resize(1024);
        for (int k = 0; k < 1024; ++k) din[c][k] = fin[c][k] = static_cast<float>(rng.unit() - 0.5);
    }
    float* fi[2] = {fin[0].data(), fin[1].data()};
    float* fo[2] = {fout[0].data(), fout[1].data()};
    double* di[2] = {din[0].data(), din[1].data()};
    double* dout_[2] = {dout[0].data(), dout[1].data()};
    const bool doubles = row.doublePrecision && e->processDoubleReplacing;

    realtime::resetForbiddenCalls();
    long blocks = 0;
    for (int round = 0; round < 600; ++round) {
        const int n = 1 + static_cast<int>(rng.below(1024));
        realtime::enterAudio();
        e->processReplacing(e, fi, fo, n);
        e->processReplacing(e, fi, fi, n);  // in place
        if (doubles) e->processDoubleReplacing(e, di, dout_, n);
        if (e->process) e->process(e, fi, fo, n);
        realtime::leaveAudio();
        blocks += 2 + doubles + (e->process != nullptr);
        for (int c = 0; c < 2; ++c)  // keep the in-place input at a sane level
            for (int k = 0; k < n; ++k) fin[c][k] = static_cast<float>(rng.unit() - 0.5);
    }
    const std::string seen = forbidden();
    done = true;
    first.join();
    second.join();
    EXPECT_EQ(seen, "") << row.name << " on the audio thread";
    std::printf("%s: %ld processing calls (%s), forbidden calls: %s\n", row.name, blocks,
                doubles ? "32- and 64-bit" : "32-bit", seen.empty() ? "none" : seen.c_str());
}

INSTANTIATE_TEST_SUITE_P(Plugins, RealtimeSafety, ::testing::ValuesIn(suite::plugins()),
                         [](const auto& info) { return suite::rowName(info.param); });

}  // namespace
