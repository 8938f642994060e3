// A failed allocation while the effect is built: the host gets no record and
// nothing is leaked. The plug-in allocates with the nothrow forms of new,
// which this program replaces so that it can make a chosen one fail; the
// other forms are replaced too, so every allocation pairs malloc with free.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "loaded_plugin.h"

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

TEST(IlvaneAllocation, AnyFailedAllocationGivesNoEffect) {
    // The effect itself, four sections and the program bank.
    for (int failing = 0; failing < 6; ++failing) {
        LoadedPlugin p(PLUGIN_PATH_Ilvane);
        allocationsUntilFailure = failing;
        EXPECT_FALSE(p.create()) << "allocation " << failing << " failed";
        allocationsUntilFailure = -1;
    }
    LoadedPlugin p(PLUGIN_PATH_Ilvane);
    allocationsUntilFailure = 6;
    EXPECT_TRUE(p.create());
    allocationsUntilFailure = -1;
    EXPECT_EQ(p.plugin->programName(), "Init 1");
}

}  // namespace
