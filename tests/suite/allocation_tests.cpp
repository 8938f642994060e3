// A failed allocation while an effect is built: either the host gets no
// record, or (when only the editor could not be made) an effect that works;
// never a crash, and nothing leaks (the sanitizer build checks). The plug-ins
// allocate the effect and its editor with the nothrow forms of new, which this
// program replaces so that it can make a chosen one fail; the other forms are
// replaced too, so every allocation pairs malloc with free.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>

#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

// The replacements below hand out malloc's memory on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
int allocationsUntilFailure = -1;  // -1: never fail
int nothrowAllocations = 0;

void* allocate(std::size_t size) {
    ++nothrowAllocations;
    if (allocationsUntilFailure == 0) return nullptr;
    if (allocationsUntilFailure > 0) --allocationsUntilFailure;
    return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using suite::PluginRow;

class SuiteAllocation : public ::testing::TestWithParam<PluginRow> {};

TEST_P(SuiteAllocation, EachFailedAllocationGivesNoEffectOrAWorkingOne) {
    const PluginRow& row = GetParam();
    int total = 0;
    {
        LoadedPlugin p(row.path);
        nothrowAllocations = 0;
        ASSERT_TRUE(p.create());
        total = nothrowAllocations;
    }
    ASSERT_GE(total, 1);
    for (int failing = 0; failing < total; ++failing) {
        LoadedPlugin p(row.path);
        allocationsUntilFailure = failing;
        const bool created = p.create();
        allocationsUntilFailure = -1;
        if (failing == 0) {
            EXPECT_FALSE(created) << "the effect itself could not be allocated";
        }
        if (!created) continue;
        std::vector<float> l = testsignal::noise(512), r = l;
        p.plugin->processStereo(l, r);
        for (size_t i = 0; i < l.size(); ++i) {
            ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << "allocation " << failing;
        }
        EXPECT_EQ(p.plugin->programName(), row.firstProgramName) << "allocation " << failing;
    }
}

INSTANTIATE_TEST_SUITE_P(Plugins, SuiteAllocation, ::testing::ValuesIn(suite::plugins()),
                         [](const auto& info) { return suite::rowName(info.param); });

}  // namespace
