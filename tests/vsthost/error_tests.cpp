// Every kind of bad input: its own message and exit status, and no output file
// (an older file at the output's name stays as it was).
#include <fstream>

#include "tool_run.h"

namespace {

using namespace tooltest;

struct BadInput {
    const char* what;
    std::vector<std::string> args;  // "@in" is a good input file, "@out" the output, "@dir/x" a file in the directory
    int status;
    const char* message;
};

class ErrorTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(ErrorTest, FailsClearlyAndLeavesNoOutput) {
    const BadInput& c = GetParam();
    TempDir dir;
    generate(dir / "in.wav", {"--signal", "sine", "--seconds", "0.1"});
    std::ofstream(dir / "notes.txt") << "not audio, not a library\n";
    std::ofstream(dir / "out.wav") << "older output";
    std::vector<std::string> args;
    for (std::string a : c.args) {
        if (a == "@in") a = dir / "in.wav";
        else if (a == "@out") a = dir / "out.wav";
        else if (a.rfind("@dir/", 0) == 0) a = dir / a.substr(5);
        args.push_back(a);
    }
    ToolResult r = vsthost(args);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.rfind("vsthost: ", 0), 0u) << r.err;
    EXPECT_EQ(slurp(dir / "out.wav"), "older output");
    EXPECT_EQ(dir.entries().size(), 3u) << "a temporary or new file was left behind";
}

const std::string F24 = PLUGIN_PATH_Fixture24;
const std::string F23 = PLUGIN_PATH_Fixture23;

INSTANTIATE_TEST_SUITE_P(
    BadInputs, ErrorTest,
    ::testing::Values(
        BadInput{"missing plug-in", {"render", "@dir/none.so", "@in", "@out"}, 3, "no such file: "},
        BadInput{"missing input", {"render", F24, "@dir/none.wav", "@out"}, 3, "no such file: "},
        BadInput{"text file as plug-in", {"render", "@dir/notes.txt", "@in", "@out"}, 4, "is not a loadable library"},
        BadInput{"library without entry", {"render", NOT_A_PLUGIN_PATH, "@in", "@out"}, 4,
                 "is not a VST 2 plug-in: it exports neither VSTPluginMain nor main"},
        BadInput{"host version check fails", {"render", F24, "@in", "@out", "--host-version", "0"}, 5,
                 "the plug-in refused to start"},
        BadInput{"2.3 host version check fails", {"response", F23, "--csv", "@out", "--host-version", "0"}, 5,
                 "its main returned no instance"},
        BadInput{"unknown parameter name", {"render", F24, "@in", "@out", "--set", "Gamma=0.5"}, 6,
                 "no parameter named \"Gamma\"; the plug-in has \"Alpha\", \"Beta\""},
        BadInput{"parameter index too large", {"render", F24, "@in", "@out", "--set", "2=0.5"}, 6,
                 "no parameter 2: the plug-in has 2 (0 to 1)"},
        BadInput{"program too large", {"render", F24, "@in", "@out", "--program", "3"}, 6, "no program 3"},
        BadInput{"64-bit on a 32-bit plug-in", {"render", F24, "@in", "@out", "--precision", "64"}, 6,
                 "does not process 64-bit samples"},
        BadInput{"value not a number", {"render", F24, "@in", "@out", "--set", "Alpha=loud"}, 7,
                 "value of parameter 0 (Alpha): \"loud\" is not a number"},
        BadInput{"value not finite", {"render", F24, "@in", "@out", "--set", "Alpha=nan"}, 7, "is not a number"},
        BadInput{"value out of range", {"render", F24, "@in", "@out", "--set", "Beta=1.5"}, 7, "must be from 0 to 1"},
        BadInput{"block not a number", {"render", F24, "@in", "@out", "--block", "big"}, 7, "--block: \"big\""},
        BadInput{"block of zero frames", {"render", F24, "@in", "@out", "--block", "0"}, 7, "--block: 0 must be"},
        BadInput{"unreadable audio", {"render", F24, "@dir/notes.txt", "@out"}, 8, "cannot read audio file"},
        BadInput{"output in a missing folder", {"render", F24, "@in", "@dir/no/out.wav"}, 9, "cannot write"},
        BadInput{"png in a missing folder", {"response", F24, "--png", "@dir/no/r.png"}, 9, "cannot write"},
        BadInput{"unknown option", {"render", F24, "@in", "@out", "--loud"}, 2, "unknown option --loud"},
        BadInput{"set without value", {"render", F24, "@in", "@out", "--set", "Alpha"}, 2, "NAME_OR_INDEX=VALUE"},
        BadInput{"response without output", {"response", F24}, 2, "usage: vsthost response"},
        BadInput{"unknown command", {"play", F24}, 2, "unknown command \"play\""}),
    [](const ::testing::TestParamInfo<BadInput>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

}  // namespace
