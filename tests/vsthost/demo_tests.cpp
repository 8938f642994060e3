// The demo script: installs each listed plug-in and writes its render and response.
#include <fstream>

#include "tool_run.h"

namespace {

using namespace tooltest;

TEST(Demo, InstallsEveryListedPluginAndShowsItAtItsShowcaseSetting) {
    TempDir dir;
    std::string source = dir / "src";
    mkdir(source.c_str(), 0755);
    std::ofstream(source + "/demo.args") << "# showcase\n--set Alpha=0.25\n\n--program 1\n";
    std::ofstream(dir / "list.txt") << "Fixture24\t" << PLUGIN_PATH_Fixture24 << "\t" << source << "\n"
                                    << "Fixture23\t" << PLUGIN_PATH_Fixture23 << "\t" << dir / "nowhere" << "\n";
    std::string first = dir / "vst", second = dir / "other";
    ToolResult r = runProgram("/bin/bash", {DEMO_SCRIPT, dir / "build"},
                       {"VSTHOST=" VSTHOST_PATH, "PLUGIN_LIST=" + (dir / "list.txt"), "DEMO_DIR=" + (dir / "demo"),
                        "VST_PATH=" + first + ":" + second, "PREFIX="});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(exists(first + "/Fixture24.so"));
    EXPECT_TRUE(exists(first + "/Fixture23.so"));
    EXPECT_FALSE(exists(second));
    for (const char* file : {"demo-input.wav", "Fixture24.wav", "Fixture24-response.png", "Fixture24-response.csv",
                             "Fixture23.wav", "Fixture23-response.png"})
        EXPECT_TRUE(exists(dir / "demo/" + file)) << file;
    EXPECT_NE(r.out.find("showcase setting: --set Alpha=0.25 --program 1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("set Alpha = 0.25"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("showcase setting: defaults"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Installed 2 plug-in(s) into " + first), std::string::npos) << r.out;
    Audio input = readAudio(dir / "demo/demo-input.wav");
    EXPECT_EQ(input.info.channels, 2);
    EXPECT_EQ(input.info.samplerate, 48000);
    EXPECT_EQ(input.frames(), 8 * 48000);
}

TEST(Demo, SaysSoWhenNoPluginIsBuiltYet) {
    TempDir dir;
    std::ofstream(dir / "list.txt") << "";
    ToolResult r = runProgram("/bin/bash", {DEMO_SCRIPT, dir / "build"},
                       {"VSTHOST=" VSTHOST_PATH, "PLUGIN_LIST=" + (dir / "list.txt"), "DEMO_DIR=" + (dir / "demo"),
                        "PREFIX=" + (dir / "prefix")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("No plug-in is built yet"), std::string::npos) << r.out;
    EXPECT_TRUE(exists(dir / "prefix/lib/vst"));
}

}  // namespace
