// The editor's allocations failing while the effect is built: the host
// finds no editor, or one with no panel that never opens, and changes still
// reach it safely. (That the effect itself then works is the suite table's
// check.) This program replaces the nothrow forms of new, which the plug-in
// uses for the effect, the editor and its background, so that a chosen one
// fails; the other forms are replaced too, so every allocation pairs malloc
// with free.
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

TEST(HoverinEditorAllocation, AFailedEditorOrPanelNeverOpens) {
    // Allocation 0 is the effect; 1 the editor; 2 its background.
    for (int failing = 1; failing <= 2; ++failing) {
        LoadedPlugin p(PLUGIN_PATH_Hoverin);
        allocationsUntilFailure = failing;
        ASSERT_TRUE(p.create()) << "allocation " << failing << " failed";
        allocationsUntilFailure = -1;
        const bool hasEditor = p.plugin->effect()->flags & effFlagsHasEditor;
        EXPECT_EQ(hasEditor, failing == 2) << failing;
        if (hasEditor) {
            auto rect = p.plugin->editorRect();
            ASSERT_TRUE(rect);
            EXPECT_EQ(rect->right, 0);  // no background: no size
        }
        EXPECT_EQ(p.plugin->dispatch(effEditOpen), 0) << failing;
        p.plugin->setParameter(2, 1.0f);  // tells the editor, if any
        p.plugin->dispatch(effEditIdle);
        p.plugin->dispatch(effEditClose);
    }
}

}  // namespace
