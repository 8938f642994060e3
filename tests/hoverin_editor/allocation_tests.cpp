// The editor's allocations failing while the effect is built: the effect
// works without an editor (or with one that has no panel to open), never a
// crash. This program replaces the nothrow forms of new, which the plug-in
// uses for the effect, the editor and its background, so that a chosen one
// fails; the other forms are replaced too, so every allocation pairs malloc
// with free.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

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

TEST(HoverinEditorAllocation, AFailedEditorLeavesAWorkingEffect) {
    // Allocation 0 is the effect; 1 the editor; 2 its background.
    for (int failing = 1; failing < 4; ++failing) {
        LoadedPlugin p(PLUGIN_PATH_Hoverin);
        allocationsUntilFailure = failing;
        ASSERT_TRUE(p.create()) << "allocation " << failing << " failed";
        allocationsUntilFailure = -1;
        const bool hasEditor = p.plugin->effect()->flags & effFlagsHasEditor;
        if (failing == 1) EXPECT_FALSE(hasEditor);
        if (hasEditor) {
            auto rect = p.plugin->editorRect();
            ASSERT_TRUE(rect);
            const VstIntPtr opened = p.plugin->dispatch(effEditOpen);
            EXPECT_EQ(opened, rect->right > 0 ? 1 : 0) << failing;
            if (failing == 2) EXPECT_EQ(opened, 0);  // no background: nothing to open
            p.plugin->dispatch(effEditIdle);
            p.plugin->dispatch(effEditClose);
        } else {
            EXPECT_EQ(p.plugin->dispatch(effEditOpen), 0);
        }
        p.plugin->setParameter(2, 1.0f);  // tells the editor, if any
        std::vector<float> l(512, 0.25f), r = l;
        p.plugin->processStereo(l, r);
        for (float v : l) ASSERT_TRUE(std::isfinite(v));
    }
}

}  // namespace
