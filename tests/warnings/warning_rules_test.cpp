#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "WarningRules.h"

namespace warnings {
namespace {

constexpr std::int64_t kStart = 1'780'000'000;
constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kGB = 1'000'000'000;
// 5 % of it is less than 2 GB, so only the share decides.
constexpr std::int64_t kTotal = 40 * kGB;

enum class Expect { None, Low, Filling };

// One reading of a drive at a given minute after the start, and what the rules must say.
struct Step {
    std::int64_t minute;
    double freePercent;
    Expect expect;
    bool filling = false;  // the history has said "full within a day" for over an hour
    bool readOnly = false;
    bool optical = false;
    bool muted = false;
};

struct SeriesCase {
    std::string name;
    std::vector<Step> steps;
};

const std::vector<SeriesCase>& Series() {
    static const std::vector<SeriesCase> cases = {
        {"crossing once, then sitting below",
         {{0, 6, Expect::None},
          {5, 3, Expect::Low},
          {20, 3, Expect::None},
          {60, 2.5, Expect::None}}},
        {"each further per cent, spaced by ten minutes",
         {{0, 4.5, Expect::Low},
          {5, 3.4, Expect::None},  // a per cent lower, but too soon
          {11, 3.4, Expect::Low},
          {30, 2.5, Expect::None},  // under one per cent further
          {31, 2.39, Expect::Low}}},
        {"recovering, then crossing again",
         {{0, 3, Expect::Low}, {12, 10, Expect::None}, {24, 3, Expect::Low}}},
        {"recovering and crossing within the spacing waits for it",
         {{0, 3, Expect::Low}, {2, 10, Expect::None}, {4, 3, Expect::None}, {10, 3, Expect::Low}}},
        {"exactly one per cent further is not more than one",
         {{0, 4, Expect::Low}, {30, 3, Expect::None}}},
        {"optical, read-only and muted drives never warn",
         {{0, 1, Expect::None, true, false, true},
          {20, 1, Expect::None, true, true},
          {40, 1, Expect::None, false, false, false, true},
          {60, 1, Expect::Low}}},
        {"filling fast warns once while it lasts",
         {{0, 30, Expect::Filling, true},
          {30, 29, Expect::None, true},
          {40, 31, Expect::None},
          {60, 28, Expect::Filling, true}}},
        {"filling fast needs less than 40 % free",
         {{0, 40, Expect::None, true}, {5, 39.9, Expect::Filling, true}}},
        {"filling fast on a read-only drive is an old forecast",
         {{0, 20, Expect::None, true, true}}},
        {"low space carries the forecast, so filling does not follow",
         {{0, 3, Expect::Low, true}, {20, 2.5, Expect::None, true}}},
        {"filling first, then low after the spacing",
         {{0, 8, Expect::Filling, true}, {5, 4, Expect::None, true}, {10, 4, Expect::Low, true}}},
    };
    return cases;
}

using DecideStep = std::function<Decision(std::size_t series, std::size_t step,
                                          const DriveReading& reading, std::int64_t now)>;

void RunSeries(const DecideStep& decide) {
    for (std::size_t index = 0; index < Series().size(); ++index) {
        const SeriesCase& series = Series()[index];
        for (std::size_t at = 0; at < series.steps.size(); ++at) {
            const Step& step = series.steps[at];
            const std::int64_t now = kStart + step.minute * kMinute;
            const DriveReading reading{
                kTotal,
                static_cast<std::int64_t>(step.freePercent / 100 * kTotal),
                step.readOnly,
                step.optical,
                step.muted,
                step.filling ? std::optional<std::int64_t>(now - 2 * kHour) : std::nullopt};
            const Decision decision = decide(index, at, reading, now);
            const Expect got = !decision.warning                            ? Expect::None
                               : *decision.warning == WarningKind::LowSpace ? Expect::Low
                                                                            : Expect::Filling;
            EXPECT_EQ(got, step.expect) << series.name << ", minute " << step.minute;
        }
    }
}

// Each series runs through the same memory, as the window's scans do.
TEST(WarningRulesTest, readingSeries_warnAtCrossingsOnlyAsTheRulesSay) {
    std::vector<DriveMemory> memories(Series().size());
    RunSeries([&](std::size_t series, std::size_t, const DriveReading& reading, std::int64_t now) {
        const Decision decision = Decide(reading, memories[series], now);
        memories[series] = decision.memory;
        return decision;
    });
}

// The same series with the memory in a history file, the readings taking turns between two
// programs' connections: each crossing is still warned exactly once.
TEST(WarningRulesTest, readingSeriesSharedThroughTheFile_warnOnceWhicheverProgramReads) {
    TempDir folder("vollmark-warnings");
    const std::string path = (folder / "history.sqlite").string();
    std::unique_ptr<history::Store> programs[2];
    for (auto& program : programs) {
        auto opened = history::Store::Open(path, true);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<history::Store>>(opened));
        program = std::move(std::get<std::unique_ptr<history::Store>>(opened));
    }
    RunSeries(
        [&](std::size_t series, std::size_t step, const DriveReading& reading, std::int64_t now) {
            const history::DriveKey key{static_cast<std::uint32_t>(series), "/mnt/x"};
            auto decision = DecideShared(*programs[step % 2], key, reading, now);
            if (auto* error = std::get_if<history::HistoryError>(&decision)) {
                ADD_FAILURE() << error->message;
                return Decision{};
            }
            return std::get<Decision>(decision);
        });
}

TEST(WarningRulesTest, largeDrive_warnsOnlyUnderTwoGigabytes) {
    const std::int64_t total = 1000 * kGB;
    const std::int64_t gib = 1024LL * 1024 * 1024;
    DriveReading reading;
    reading.totalBytes = total;
    reading.freeBytes = 2 * gib + 1;  // 0.2 % free, but 2 GB left
    EXPECT_FALSE(Decide(reading, {}, kStart).warning);
    reading.freeBytes = 2 * gib - 1;
    EXPECT_TRUE(Decide(reading, {}, kStart).warning);
}

// A sample every 10 minutes over `hours` of a 1000 GB drive, free space falling by
// `gbPerHour` to `freeNowGB` at `now`.
std::vector<history::Sample> Falling(std::int64_t now, std::int64_t hours, double freeNowGB,
                                     double gbPerHour) {
    std::vector<history::Sample> samples;
    for (std::int64_t t = now - hours * kHour; t <= now; t += 10 * kMinute) {
        const double free = freeNowGB + gbPerHour * static_cast<double>(now - t) / kHour;
        samples.push_back({t, 1000 * kGB, static_cast<std::int64_t>(free * kGB)});
    }
    return samples;
}

TEST(WarningRulesTest, fillingSince_holdsOnlyForAFastFillThatHasLasted) {
    const std::int64_t now = kStart;
    // Full in 20 h, and so for a day and a half: held for the whole hour.
    EXPECT_EQ(FillingSince(Falling(now, 36, 200, 10), now), now - kHour);
    // Full in 22 h, but more than 40 % was free until half an hour ago.
    const auto since = FillingSince(Falling(now, 34, 391.25, 17.5), now);
    ASSERT_TRUE(since);
    EXPECT_GT(*since, now - kHour);
    EXPECT_LE(*since, now - 20 * kMinute);
    // Full in 40 h: not within a day.
    EXPECT_FALSE(FillingSince(Falling(now, 36, 200, 5), now));
    // Three hours of history are not enough for any forecast.
    EXPECT_FALSE(FillingSince(Falling(now, 3, 200, 10), now));
}

}  // namespace
}  // namespace warnings
