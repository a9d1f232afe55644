#include "Forecast.h"

#include <algorithm>
#include <cmath>

namespace history {
namespace {

constexpr double kDay = 86400;

struct Point {
    double time;
    double used;
};

// The samples since the clock was last set back, no later than `now`, within `longest`.
std::vector<Sample> CurrentTimeline(const std::vector<Sample>& samples, std::int64_t now,
                                    std::int64_t longest) {
    std::size_t start = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (samples[i].time < samples[i - 1].time) start = i;
    std::vector<Sample> timeline;
    for (std::size_t i = start; i < samples.size(); ++i)
        if (samples[i].time <= now && samples[i].time >= now - longest)
            timeline.push_back(samples[i]);
    return timeline;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The used space with events taken out: a change far from the usual rate counts as that
// rate instead, so a copy or deletion shifts the level without tilting the line.
std::vector<Point> WithoutEvents(const std::vector<Point>& points, double sizeBytes,
                                 const ForecastRule& rule) {
    std::vector<double> rates;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double dt = points[i].time - points[i - 1].time;
        if (dt > 0) rates.push_back((points[i].used - points[i - 1].used) / dt);
    }
    const double usual = Median(rates);
    std::vector<double> residuals;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double dt = points[i].time - points[i - 1].time;
        residuals.push_back(std::abs(points[i].used - points[i - 1].used - usual * dt));
    }
    // 1.4826 turns a median deviation into a standard deviation for normal noise.
    const double limit = std::max(rule.eventDeviations * 1.4826 * Median(residuals),
                                  rule.eventShareOfSize * sizeBytes);
    std::vector<Point> steady{points.front()};
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double dt = points[i].time - points[i - 1].time;
        const double change = points[i].used - points[i - 1].used;
        const double kept = std::abs(change - usual * dt) > limit ? usual * dt : change;
        steady.push_back({points[i].time, steady.back().used + kept});
    }
    return steady;
}

bool Within(const Point& p, double from, double to) {
    return p.time >= from && p.time <= to;
}

// Least-squares slope in bytes per second of the points from `from` on; none below two.
std::optional<double> Slope(const std::vector<Point>& points, double from) {
    const double to = points.back().time;
    double count = 0;
    double sumTime = 0;
    double sumUsed = 0;
    for (const Point& p : points) {
        if (!Within(p, from, to)) continue;
        count += 1;
        sumTime += p.time;
        sumUsed += p.used;
    }
    if (count < 2) return std::nullopt;
    const double meanTime = sumTime / count;
    const double meanUsed = sumUsed / count;
    double spread = 0;
    double together = 0;
    for (const Point& p : points) {
        if (!Within(p, from, to)) continue;
        spread += (p.time - meanTime) * (p.time - meanTime);
        together += (p.time - meanTime) * (p.used - meanUsed);
    }
    if (spread <= 0) return std::nullopt;
    return together / spread;
}

struct WindowMean {
    double mean = 0;
    double variance = 0;  // of the mean
    int count = 0;
};

WindowMean MeanBetween(const std::vector<Point>& points, double from, double to) {
    WindowMean window;
    double sum = 0;
    for (const Point& p : points) {
        if (!Within(p, from, to)) continue;
        ++window.count;
        sum += p.used;
    }
    if (window.count == 0) return window;
    window.mean = sum / window.count;
    double squares = 0;
    for (const Point& p : points)
        if (Within(p, from, to)) squares += (p.used - window.mean) * (p.used - window.mean);
    if (window.count > 1) window.variance = squares / (window.count - 1) / window.count;
    return window;
}

// The change per second between the latest six hours and the same hours one or two days
// earlier (the earliest there is): a pattern that repeats every day cancels out. None when
// the change is within the noise of the two means.
std::optional<double> DayOnDay(const std::vector<Point>& points, const ForecastRule& rule) {
    const double last = points.back().time;
    const double recent = static_cast<double>(rule.recent.count());
    const WindowMean latest = MeanBetween(points, last - recent, last);
    for (int days = static_cast<int>(rule.longest.count() / kDay) - 1; days >= 1; --days) {
        const double end = last - days * kDay;
        const WindowMean earlier = MeanBetween(points, end - recent, end);
        if (earlier.count == 0) continue;
        const double change = latest.mean - earlier.mean;
        const double error = std::sqrt(latest.variance + earlier.variance);
        if (std::abs(change) <= rule.significance * error) return std::nullopt;
        return change / (days * kDay);
    }
    return std::nullopt;
}

}  // namespace

Forecast ForecastOf(const std::vector<Sample>& samples, std::int64_t now,
                    const ForecastRule& rule) {
    const auto timeline = CurrentTimeline(samples, now, rule.longest.count());
    if (timeline.size() < 2 || timeline.back().time - timeline.front().time < rule.enough.count())
        return {};
    std::vector<Point> points;
    for (const Sample& s : timeline)
        points.push_back({static_cast<double>(s.time - timeline.front().time),
                          static_cast<double>(s.totalBytes - s.freeBytes)});
    const auto steady =
        WithoutEvents(points, static_cast<double>(timeline.back().totalBytes), rule);
    const double last = points.back().time;
    const auto overall = Slope(steady, 0);
    const auto recent = Slope(steady, last - static_cast<double>(rule.recent.count()));
    const auto dayOnDay = DayOnDay(points, rule);

    // The trend is the more cautious of the two long views when they agree on the direction.
    double trend = 0;
    if (overall && dayOnDay && (*overall > 0) == (*dayOnDay > 0))
        trend = std::abs(*overall) < std::abs(*dayOnDay) ? *overall : *dayOnDay;
    Forecast forecast;
    forecast.trendBytesPerDay = trend * kDay;
    if (trend > 0 && recent && *recent > 0) {
        const double free =
            static_cast<double>(std::max<std::int64_t>(timeline.back().freeBytes, 0));
        forecast.fullInSeconds = static_cast<std::int64_t>(std::llround(free / trend));
    }
    return forecast;
}

}  // namespace history
