// `info` on our fixture libraries of both generations and on another vendor's plug-in.
#include <dirent.h>

#include "tool_run.h"

namespace {

using namespace tooltest;

TEST(Info, ShowsIdentityCapabilitiesAndParametersOfBothGenerations) {
    struct Case {
        const char* path;
        const char* entry;
        const char* id;
        const char* generation;
    } cases[] = {
        {PLUGIN_PATH_Fixture24, "VSTPluginMain", "'FxA4' (0x46784134)", "VST 2.4 (getVstVersion 2400)"},
        {PLUGIN_PATH_Fixture23, "main", "'FxA3' (0x46784133)", "VST 2.3 (getVstVersion 2300)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ToolResult r = vsthost({"info", c.path});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("Entry point  " + std::string(c.entry) + "\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Unique ID    " + std::string(c.id)), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Generation   " + std::string(c.generation)), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Channels     2 in, 2 out"), std::string::npos);
        EXPECT_NE(r.out.find("HasEditor CanReplacing"), std::string::npos);
        EXPECT_NE(r.out.find("Editor       200 x 100 pixels"), std::string::npos);
        EXPECT_NE(r.out.find("Parameters (2)"), std::string::npos);
        EXPECT_NE(r.out.find("      0  Alpha "), std::string::npos);
        EXPECT_NE(r.out.find("      1  Beta "), std::string::npos);
        EXPECT_NE(r.out.find("Programs (3)\n  *   0"), std::string::npos) << r.out;
    }
}

// Another vendor's plug-in from a Debian package (lsp-plugins-vst), when installed.
TEST(Info, ReadsAPeerPluginFromADebianPackage) {
    std::string folder = "/usr/lib/vst/lsp-plugins";
    std::string plugin = folder + "/comp-delay-stereo.so";
    if (!exists(plugin)) GTEST_SKIP() << "lsp-plugins-vst is not installed";
    ToolResult r = vsthost({"info", plugin});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Entry point  VSTPluginMain"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Vendor       LSP"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Channels     2 in, 2 out"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Parameters (0)"), std::string::npos) << r.out;
}

}  // namespace
