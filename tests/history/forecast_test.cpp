#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "Forecast.h"

namespace history {
namespace {

constexpr std::int64_t kStart = 1'780'000'000 - 1'780'000'000 % 86400;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kGB = 1'000'000'000;

struct Drive {
    std::int64_t total;
    std::int64_t used;
};

// A sample every 10 minutes (jittered by up to ±3 minutes) over `days`, from a drive shape
// given as a function of the seconds since the start.
std::vector<Sample> Series(double days, const std::function<Drive(std::int64_t)>& shape) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(-180, 180);
    std::vector<Sample> samples;
    for (std::int64_t t = 0; t <= static_cast<std::int64_t>(days * kDay); t += 600) {
        const std::int64_t at = t == 0 ? 0 : t + jitter(random);
        const Drive d = shape(at);
        samples.push_back({kStart + at, d.total, d.total - d.used});
    }
    return samples;
}

constexpr std::int64_t kRate = 2 * kGB;  // per day

Drive Steady(std::int64_t t) {
    return {100 * kGB, 40 * kGB + kRate * t / kDay};
}

std::int64_t Now(const std::vector<Sample>& samples) {
    return samples.back().time + 60;
}

struct FillingCase {
    std::string name;
    std::vector<Sample> samples;
};

// Steady growth, seen clean, through noise, across one big copy and across a resize: the
// forecast says when free space runs out at the real rate, within 10 %.
TEST(ForecastTest, fillingDrive_forecastWithinTenPercent) {
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, 0.05 * kGB);
    const std::vector<FillingCase> cases = {
        {"steady over three days", Series(3, Steady)},
        {"steady with noise", Series(3,
                                     [&](std::int64_t t) {
                                         Drive d = Steady(t);
                                         d.used += static_cast<std::int64_t>(noise(random));
                                         return d;
                                     })},
        {"one big copy", Series(3,
                                [](std::int64_t t) {
                                    Drive d = Steady(t);
                                    if (t > kDay * 3 / 2) d.used += 10 * kGB;
                                    return d;
                                })},
        {"file system grown", Series(3,
                                     [](std::int64_t t) {
                                         Drive d = Steady(t);
                                         if (t > kDay * 3 / 2) d.total += 50 * kGB;
                                         return d;
                                     })},
    };
    for (const auto& c : cases) {
        const Forecast f = ForecastOf(c.samples, Now(c.samples));
        const Sample& last = c.samples.back();
        const double truth = static_cast<double>(last.freeBytes) / kRate * kDay;
        ASSERT_TRUE(f.fullInSeconds) << c.name;
        EXPECT_NEAR(static_cast<double>(*f.fullInSeconds), truth, truth * 0.1) << c.name;
        EXPECT_NEAR(*f.trendBytesPerDay, kRate, kRate * 0.1) << c.name;
    }
}

// Space that is written and cleaned again every day, a drive whose files are only removed,
// one big copy or deletion on a drive that does not grow otherwise: none of them fills.
TEST(ForecastTest, noNetGrowth_notFilling) {
    const auto sawtooth = [](std::int64_t t) {
        const std::int64_t hour = t % kDay / kHour;
        const std::int64_t written = std::clamp<std::int64_t>(hour - 8, 0, 12) * kGB;
        const std::int64_t withinHour = hour >= 8 && hour < 20 ? t % kHour * kGB / kHour : 0;
        return Drive{100 * kGB, 40 * kGB + written + withinHour};
    };
    const std::vector<FillingCase> cases = {
        {"daily sawtooth", Series(3, sawtooth)},
        {"daily sawtooth, two days", Series(2, sawtooth)},
        {"shrinking", Series(3,
                             [](std::int64_t t) {
                                 return Drive{100 * kGB, 60 * kGB - t * 50};
                             })},
        {"one copy on a still drive",
         Series(3,
                [](std::int64_t t) {
                    return Drive{100 * kGB, 40 * kGB + (t > kDay * 2) * 20 * kGB};
                })},
        {"one deletion on a still drive",
         Series(3,
                [](std::int64_t t) {
                    return Drive{100 * kGB, 40 * kGB - (t > kDay) * 20 * kGB};
                })},
    };
    for (const auto& c : cases) {
        const Forecast f = ForecastOf(c.samples, Now(c.samples));
        EXPECT_FALSE(f.fullInSeconds) << c.name << ": full in " << *f.fullInSeconds << " s";
        ASSERT_TRUE(f.trendBytesPerDay) << c.name;
        EXPECT_LE(*f.trendBytesPerDay, 0.0) << c.name;
    }
}

// A deletion on a filling drive gives room: the drive still fills, later than it would have.
TEST(ForecastTest, deletionOnFillingDrive_pushesTheDateOut) {
    const auto steady = Series(3, Steady);
    const auto deleted = Series(3, [](std::int64_t t) {
        Drive d = Steady(t);
        if (t > kDay * 2) d.used -= 3 * kGB;
        return d;
    });
    const Forecast before = ForecastOf(steady, Now(steady));
    const Forecast after = ForecastOf(deleted, Now(deleted));
    ASSERT_TRUE(before.fullInSeconds);
    ASSERT_TRUE(after.fullInSeconds);
    EXPECT_GT(*after.fullInSeconds, *before.fullInSeconds + 3 * kGB / kRate * kDay);
}

// A drive seen for the first time, a day of history, samples after the clock was set back
// or all of them in the future: no forecast and no trend, rather than a guess.
TEST(ForecastTest, tooLittleHistory_givesNoFigures) {
    auto jumped = Series(3, Steady);
    const std::int64_t back = jumped.back().time - 12 * kHour;
    for (std::int64_t t = 0; t < 6 * kHour; t += 600)
        jumped.push_back({back + t, 100 * kGB, 50 * kGB});
    const auto day = Series(1, Steady);
    const std::vector<FillingCase> cases = {
        {"first sight", {{kStart, 100 * kGB, 50 * kGB}}},
        {"one day", day},
        {"clock set back", jumped},
        {"nothing yet", {}},
    };
    for (const auto& c : cases) {
        const std::int64_t now = c.samples.empty() ? kStart : Now(c.samples);
        const Forecast f = ForecastOf(c.samples, now);
        EXPECT_FALSE(f.fullInSeconds) << c.name;
        EXPECT_FALSE(f.trendBytesPerDay) << c.name;
    }
    const auto all = Series(3, Steady);
    EXPECT_FALSE(ForecastOf(all, kStart - kDay).trendBytesPerDay) << "all in the future";
}

// Once the clock has been set back, the history that grows after it is enough on its own.
TEST(ForecastTest, clockSetBack_forecastFromTheNewTimeline) {
    auto samples = Series(2, [](std::int64_t) { return Drive{100 * kGB, 10 * kGB}; });
    const auto after = Series(1.5, Steady);
    for (Sample s : after) {
        s.time -= kDay;
        samples.push_back(s);
    }
    const Forecast f = ForecastOf(samples, samples.back().time);
    ASSERT_TRUE(f.trendBytesPerDay);
    EXPECT_NEAR(*f.trendBytesPerDay, kRate, kRate * 0.1);
}

}  // namespace
}  // namespace history
