// The hostile host against probe plug-ins that each carry one known fault:
// it reports exactly that fault (and fails), passes the faultless probe, and
// the replay it prints repeats the same run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <ostream>
#include <string>

namespace {

struct ToolRun {
    int status;
    std::string output;
};

ToolRun runTool(const std::string& arguments) {
    const std::string command = std::string(HOSTILE_TOOL) + " " + arguments + " 2>&1";
    ToolRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof(buffer), pipe)) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string probeRun(const char* probe, bool mends) {
    return std::string("--seed 7 --calls 3000 --automation-frames 5000 --load-cycles 2 --plugin-dir ") + PROBE_DIR +
           " --plugin " + probe + (mends ? " --mends" : "");
}

// Lines that report findings, in order.
std::string findings(const std::string& output) {
    std::string lines;
    size_t at = 0;
    while ((at = output.find("FINDING: ", at)) != std::string::npos) {
        const size_t end = output.find('\n', at);
        lines += output.substr(at, end - at) + "\n";
        at = end;
    }
    return lines;
}

struct ProbeCase {
    const char* probe;
    bool mends;
    int exitStatus;
    const char* expected;  // a line the output must hold
    const char* theme;     // what every finding names (the probe's one fault)
};

void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.probe << (c.mends ? " --mends" : ""); }

class HostileTool : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(HostileTool, ReportsTheProbesFaultAndNothingElse) {
    const ProbeCase& c = GetParam();
    const ToolRun run = runTool(probeRun(c.probe, c.mends));
    EXPECT_EQ(run.status, c.exitStatus) << run.output;
    EXPECT_NE(run.output.find(c.expected), std::string::npos) << run.output;
    // The probe's one fault, nothing else.
    const std::string found = findings(run.output);
    for (size_t at = 0, end; (end = found.find('\n', at)) != std::string::npos; at = end + 1)
        EXPECT_NE(found.substr(at, end - at).find(c.theme), std::string::npos) << found.substr(at, end - at);
}

INSTANTIATE_TEST_SUITE_P(
    Probes, HostileTool,
    ::testing::Values(
        ProbeCase{"ProbeClean", false, 0, "findings: none", ""},
        ProbeCase{"ProbeClean", true, 0, "findings: none", ""},
        ProbeCase{"ProbeOverrun", false, 1, "FINDING: effGetParamLabel writes 14 bytes into a host buffer of 9",
                  "effGetParamLabel"},
        ProbeCase{"ProbeNonFinite", false, 1, "FINDING: non-finite output under legal input and parameters",
                  "non-finite output"},
        ProbeCase{"ProbeRunaway", false, 1, "FINDING: output beyond 1e+07 under legal audio-rate automation",
                  "output beyond"},
        ProbeCase{"ProbePadding", false, 0, "findings: none", ""},
        ProbeCase{"ProbePadding", true, 1, "FINDING: effGetEffectName pads its text with zeros to 33 bytes",
                  "effGetEffectName pads"}),
    [](const auto& info) { return std::string(info.param.probe) + (info.param.mends ? "_mends" : ""); });

TEST(HostileToolReplay, ThePrintedReplayRepeatsTheRun) {
    const ToolRun first = runTool(probeRun("ProbeNonFinite", false));
    ASSERT_EQ(first.status, 1) << first.output;
    const size_t at = first.output.find("  replay: ");
    ASSERT_NE(at, std::string::npos) << first.output;
    const size_t from = at + 10, end = first.output.find('\n', from);
    const std::string command = first.output.substr(from, end - from);
    const std::string tool = HOSTILE_TOOL;
    ASSERT_EQ(command.rfind(tool, 0), 0u) << command;
    const ToolRun again = runTool(command.substr(tool.size() + 1));
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(findings(again.output), findings(first.output));
    EXPECT_NE(findings(again.output), "");
}

}  // namespace
