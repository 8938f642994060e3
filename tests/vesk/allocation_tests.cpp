// A failed allocation while the effect and its editor are built: the entry
// point hands the host no record and nothing is leaked (the leak check of the
// sanitizer build sees to that). This program replaces operator new so that a
// chosen allocation fails: the nothrow forms return null, the others throw.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "tests/support/loaded_plugin.h"

namespace {
int allocationsUntilFailure = -1;  // -1: never fail
int failures = 0;

void* allocate(std::size_t size) {
    if (allocationsUntilFailure == 0) {
        allocationsUntilFailure = -1;  // one failure a try
        ++failures;
        return nullptr;
    }
    if (allocationsUntilFailure > 0) --allocationsUntilFailure;
    return std::malloc(size ? size : 1);
}
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new(std::size_t size) {
    if (void* p = allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// The host callback: arms the failure when the entry point first asks for the
// host's version, so only the plug-in's own allocations are counted.
int armWith = -1;
VstIntPtr arming(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode != audioMasterVersion) return 0;
    allocationsUntilFailure = armWith;
    return 2300;
}

TEST(VeskAllocation, AnyFailedAllocationWhileBuildingGivesNoEffect) {
    LoadedPlugin p(PLUGIN_PATH_Vesk);
    ASSERT_TRUE(p.library && p.library->entry());
    int refused = 0;
    for (int failing = 0;; ++failing) {
        ASSERT_LT(failing, 200) << "the instance never got built";
        armWith = failing;
        failures = 0;
        AEffect* e = p.library->entry()(arming);
        allocationsUntilFailure = -1;
        if (failures == 0) {  // no allocation left to fail: built whole
            ASSERT_TRUE(e);
            EXPECT_TRUE(e->flags & effFlagsHasEditor);
            e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
            break;
        }
        EXPECT_EQ(e, nullptr) << "allocation " << failing << " failed";
        if (e) e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
        ++refused;
    }
    // At least the effect itself and the editor (the object, then its background).
    EXPECT_GE(refused, 3);
}

}  // namespace
