#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "HistoryStore.h"

// When a drive fills, from its raw samples. Pure: samples and the time in, figures out.
namespace history {

struct Forecast {
    // Seconds from the newest sample until free space reaches zero at the trend; none when the
    // drive is not filling or the history is not enough.
    std::optional<std::int64_t> fullInSeconds;
    // Growth of the used space; none when the history is not enough.
    std::optional<double> trendBytesPerDay;
};

struct ForecastRule {
    // History needed since the clock was last set back: a day and the six hours before it,
    // so that the same six hours of two days can be compared.
    std::chrono::seconds enough = std::chrono::hours(30);
    std::chrono::seconds recent = std::chrono::hours(6);
    std::chrono::seconds longest = std::chrono::hours(72);
    // A change between two samples this many robust deviations away from the usual one is an
    // event (a big copy or deletion), not a trend...
    double eventDeviations = 10;
    // ...and it must also move this share of the drive's size.
    double eventShareOfSize = 0.001;
    // The day-on-day change counts when it is this many standard errors away from zero.
    double significance = 3;
};

// `samples` in the order they were recorded (as Store::Samples gives them); those after
// `now` and those before the clock was last set back are left out.
Forecast ForecastOf(const std::vector<Sample>& samples, std::int64_t now,
                    const ForecastRule& rule = {});

}  // namespace history
