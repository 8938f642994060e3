// Two plug-ins in one process keep to their own code: only the entry points
// are exported, so nothing binds across libraries even when loaded globally.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "tests/support/exported_symbols.h"
#include "tests/support/loaded_plugin.h"

namespace {

float gainOf(hosting::Plugin& plugin) {
    std::vector<float> in{1.0f}, out0{0.0f}, out1{0.0f};
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out0.data(), out1.data()};
    plugin.processReplacing(ins, outs, 1);
    return out0[0];
}

TEST(Isolation, LibrariesLoadedGloballyKeepTheirOwnBehaviour) {
    LoadedPlugin a(PLUGIN_PATH_Fixture24, RTLD_NOW | RTLD_GLOBAL);
    LoadedPlugin b(PLUGIN_PATH_Bare24, RTLD_NOW | RTLD_GLOBAL);
    LoadedPlugin c(PLUGIN_PATH_Fixture23, RTLD_NOW | RTLD_GLOBAL);
    LoadedPlugin d(PLUGIN_PATH_Bare23, RTLD_NOW | RTLD_GLOBAL);
    ASSERT_TRUE(a.create());
    ASSERT_TRUE(b.create());
    ASSERT_TRUE(c.create());
    ASSERT_TRUE(d.create());
    EXPECT_EQ(a.plugin->productString(), "Fixture24");
    EXPECT_EQ(b.plugin->productString(), "Bare24");
    EXPECT_EQ(c.plugin->productString(), "Fixture23");
    EXPECT_EQ(d.plugin->productString(), "Bare23");
    EXPECT_EQ(gainOf(*a.plugin), 2.0f);
    EXPECT_EQ(gainOf(*b.plugin), 3.0f);
    EXPECT_EQ(gainOf(*d.plugin), 4.0f);
    EXPECT_NE(a.plugin->effect()->uniqueID, c.plugin->effect()->uniqueID);
    // A second instance of one library shares nothing with the first.
    auto second = hosting::Plugin::create(*a.library, a.host);
    ASSERT_TRUE(second);
    second->setParameter(0, 0.25f);
    EXPECT_EQ(a.plugin->getParameter(0), 0.0f);
    EXPECT_EQ(second->getParameter(0), 0.25f);
}

TEST(Isolation, EachLibraryExportsExactlyItsEntryPoints) {
    using Names = std::set<std::string>;
    EXPECT_EQ(exportedSymbols(PLUGIN_PATH_Fixture24), (Names{"VSTPluginMain", "main"}));
    EXPECT_EQ(exportedSymbols(PLUGIN_PATH_Bare24), (Names{"VSTPluginMain", "main"}));
    EXPECT_EQ(exportedSymbols(PLUGIN_PATH_Fixture23), (Names{"main"}));
    EXPECT_EQ(exportedSymbols(PLUGIN_PATH_Bare23), (Names{"main"}));
}

}  // namespace
