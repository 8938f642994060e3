// A failed allocation while the effect is built: the host gets no record and
// nothing is leaked. The plug-in allocates the effect and its editor with the
// nothrow forms of new, which this program replaces so that it can make a
// chosen one fail; the other forms are replaced too, so every allocation
// pairs malloc with free.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "tests/support/loaded_plugin.h"

namespace {
int allocationsUntilFailure = -1;  // -1: never fail

void* allocate(std::size_t size) {
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

TEST(IlvaneAllocation, AFailedAllocationOfTheEffectGivesNoEffect) {
    // The effect is one allocation: it holds its sections and program bank.
    {
        LoadedPlugin p(PLUGIN_PATH_Ilvane);
        allocationsUntilFailure = 0;
        EXPECT_FALSE(p.create());
        allocationsUntilFailure = -1;
    }
    // Any later failure (the editor's) leaves a working effect.
    for (int failing = 1; failing < 4; ++failing) {
        LoadedPlugin p(PLUGIN_PATH_Ilvane);
        allocationsUntilFailure = failing;
        ASSERT_TRUE(p.create()) << "allocation " << failing << " failed";
        allocationsUntilFailure = -1;
        EXPECT_EQ(p.plugin->programName(), "Init 1");
    }
}

}  // namespace
