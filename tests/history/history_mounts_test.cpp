#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>

#include "FakeTimeRun.h"
#include "MountSandbox.h"
#include "TempDir.h"

namespace {

constexpr std::int64_t kStart = 1'796'083'200;  // 2026-12-01 00:00 UTC
constexpr std::int64_t kStep = 600;
constexpr int kSteps = 3 * 144;
constexpr std::size_t kChunk = 20 * 1024;

// Under faketime at `when`, with the history in `state`; the output goes to `out`. faketime
// preloads its library ahead of the sanitizer runtime, which a sanitized tool would refuse.
int RunTool(const std::string& state, std::int64_t when, const std::string& args,
            const std::string& out = "/dev/null") {
    const std::string command =
        AtFakeTime(state, when) + VOLLMARK_DRIVES " " + args + " >'" + out + "'";
    return std::system(command.c_str());
}

std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
    return text;
}

class HistoryMountsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipReason_ = MountSandbox::enterPrivateNamespace();
        if (skipReason_) return;
        sandbox_ = std::make_unique<MountSandbox>();
        if (!sandbox_->ready() ||
            !sandbox_->mountExt4Image("fill", "Fill", "5d0c41e2-7a35-4f0e-a3c8-6b1f2e9d8c70"))
            skipReason_ = "cannot mount an ext4 image";
    }
    static void TearDownTestSuite() { sandbox_.reset(); }

    static inline std::optional<std::string> skipReason_;
    static inline std::unique_ptr<MountSandbox> sandbox_;
};

// Three simulated days of recordings every ten minutes while a log on a loop-mounted ext4
// grows at a steady rate: the forecast says when it is full within 10 %.
TEST_F(HistoryMountsTest, steadyFillingOverThreeDays_forecastWithinTenPercent) {
    if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    if (std::system("command -v faketime >/dev/null") != 0) SKIP_UNLESS_CI("no faketime");
    TempDir state("vollmark-e2e-state");
    const std::string point = sandbox_->path("fill");
    std::ofstream log(point + "/log", std::ios::binary);
    const std::string chunk(kChunk, 'x');
    for (int step = 0; step <= kSteps; ++step) {
        log << chunk << std::flush;
        ASSERT_EQ(RunTool(state.path().string(), kStart + step * kStep, "--record"), 0) << step;
    }
    const std::string json = (state / "history.json").string();
    ASSERT_EQ(
        RunTool(state.path().string(), kStart + kSteps * kStep + 60, "--history --json", json), 0);
    const std::string figures = Output(
        "python3 -c 'import json, sys; d = [d for d in json.load(open(sys.argv[1]))[\"drives\"] "
        "if d.get(\"mountPoint\") == sys.argv[2]][0]; f = d[\"forecast\"]; "
        "print(f[\"fullInSeconds\"], f[\"trendBytesPerDay\"], d[\"freeBytes\"], f[\"samples\"])' "
        "'" +
        json + "' '" + point + "'");
    double fullIn = 0, trend = 0, free = 0;
    int samples = 0;
    ASSERT_EQ(std::sscanf(figures.c_str(), "%lf %lf %lf %d", &fullIn, &trend, &free, &samples), 4)
        << figures;
    const double rate = static_cast<double>(kChunk) * 86400 / kStep;
    EXPECT_EQ(samples, kSteps + 1);
    EXPECT_NEAR(trend, rate, rate * 0.1);
    const double truth = free / rate * 86400;
    EXPECT_NEAR(fullIn, truth, truth * 0.1);
}

}  // namespace
