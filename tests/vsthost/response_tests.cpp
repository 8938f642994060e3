// `response`: the measured gain of the fixture (x2: +6.02 dB everywhere) and the plot file.
#include <cmath>
#include <cstdlib>

#include "tool_run.h"

namespace {

using namespace tooltest;

// Rows of a response table: frequency and the left and right gains in dB.
struct Row {
    double hz, left, right;
};
std::vector<Row> readTable(const std::string& path) {
    std::istringstream in(slurp(path));
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "frequency_hz,left_db,right_db,left_phase_deg,right_phase_deg");
    std::vector<Row> rows;
    while (std::getline(in, line)) {
        Row row{};
        if (std::sscanf(line.c_str(), "%lf,%lf,%lf", &row.hz, &row.left, &row.right) == 3) rows.push_back(row);
    }
    return rows;
}

TEST(Response, MeasuresTheGainAcrossTheBandIntoTableAndPlot) {
    TempDir dir;
    ToolResult r = vsthost({"response", PLUGIN_PATH_Fixture24, "--png", dir / "r.png", "--csv", dir / "r.csv", "--rate", "48000"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto rows = readTable(dir / "r.csv");
    ASSERT_GT(rows.size(), 80u);
    EXPECT_EQ(rows.front().hz, 20.0);
    EXPECT_EQ(rows.back().hz, 20000.0);
    bool has100 = false;
    for (const auto& row : rows) {
        EXPECT_NEAR(row.left, 20 * std::log10(2.0), 0.001) << row.hz;
        EXPECT_NEAR(row.right, 20 * std::log10(2.0), 0.001) << row.hz;
        has100 = has100 || row.hz == 100.0;
    }
    EXPECT_TRUE(has100) << "the grid passes through 100 Hz";
    std::string png = slurp(dir / "r.png");
    ASSERT_GT(png.size(), 1000u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(dir.entries().size(), 2u) << "no temporary file is left behind";
}

TEST(Response, StopsAtTheTopOfTheBandThatTheRateAllows) {
    TempDir dir;
    ToolResult r = vsthost({"response", PLUGIN_PATH_Fixture24, "--csv", dir / "r.csv", "--rate", "8000", "--points", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto rows = readTable(dir / "r.csv");
    ASSERT_FALSE(rows.empty());
    EXPECT_DOUBLE_EQ(rows.back().hz, 0.48 * 8000);
}

}  // namespace
