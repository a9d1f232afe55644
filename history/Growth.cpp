#include "Growth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace history {
namespace {

constexpr double kDay = 24 * 3600;

using FolderKey = std::pair<std::string, bool>;  // path, other

// The allocated size of each folder of `snapshot` that both `under` and `scope` hold.
std::map<FolderKey, std::uint64_t> SizesOf(const Snapshot& snapshot, const std::string& under,
                                           const std::string& scope) {
    std::map<FolderKey, std::uint64_t> sizes;
    const std::vector<std::string> paths = FolderPaths(snapshot);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!IsWithin(paths[i], under) || !IsWithin(paths[i], scope)) continue;
        sizes[{paths[i], snapshot.folders[i].other}] += snapshot.folders[i].allocatedBytes;
    }
    return sizes;
}

// The deeper of two folders when one holds the other; nullopt when they lie apart.
std::optional<std::string> Narrower(const std::string& a, const std::string& b) {
    if (IsWithin(a, b)) return a;
    if (IsWithin(b, a)) return b;
    return std::nullopt;
}

template <typename T>
bool ByMagnitude(const T& a, const T& b, double sizeA, double sizeB) {
    if (std::fabs(sizeA) != std::fabs(sizeB)) return std::fabs(sizeA) > std::fabs(sizeB);
    return std::tie(a.path, a.other) < std::tie(b.path, b.other);
}

}  // namespace

Growth GrowthBetween(const Snapshot& before, const Snapshot& after, const std::string& under) {
    Growth growth{before.time, after.time, {}};
    const auto scope = Narrower(before.root, after.root);
    if (!scope) return growth;
    const auto from = SizesOf(before, under, *scope);
    const auto to = SizesOf(after, under, *scope);
    const double days = static_cast<double>(after.time - before.time) / kDay;
    const auto add = [&](const FolderKey& key, FolderStatus status, std::uint64_t was,
                         std::uint64_t is) {
        const auto change = static_cast<std::int64_t>(is) - static_cast<std::int64_t>(was);
        if (change == 0 && status == FolderStatus::changed) return;
        FolderChange folder{key.first, key.second, status, was, is, change, std::nullopt};
        if (days != 0) folder.bytesPerDay = static_cast<double>(change) / days;
        growth.folders.push_back(std::move(folder));
    };
    for (const auto& [key, size] : from) {
        const auto match = to.find(key);
        if (match == to.end())
            add(key, FolderStatus::vanished, size, 0);
        else
            add(key, FolderStatus::changed, size, match->second);
    }
    for (const auto& [key, size] : to)
        if (!from.contains(key)) add(key, FolderStatus::added, 0, size);
    std::sort(growth.folders.begin(), growth.folders.end(),
              [](const FolderChange& a, const FolderChange& b) {
                  return ByMagnitude(a, b, static_cast<double>(a.changeBytes),
                                     static_cast<double>(b.changeBytes));
              });
    return growth;
}

std::optional<Rates> RatesOf(const std::vector<Snapshot>& snapshots, const std::string& under,
                             std::optional<double> trendBytesPerDay, const RateRule& rule) {
    if (snapshots.size() < rule.fewest ||
        snapshots.back().time - snapshots.front().time < rule.shortestSeconds)
        return std::nullopt;
    // Times from the first snapshot keep the sums small enough for doubles to stay exact.
    struct Points {
        std::vector<double> days, bytes;
    };
    std::map<FolderKey, Points> series;
    for (const Snapshot& snapshot : snapshots) {
        const double day = static_cast<double>(snapshot.time - snapshots.front().time) / kDay;
        for (const auto& [key, size] : SizesOf(snapshot, under, snapshot.root)) {
            series[key].days.push_back(day);
            series[key].bytes.push_back(static_cast<double>(size));
        }
    }
    Rates rates{snapshots.size(), trendBytesPerDay, {}};
    for (const auto& [key, points] : series) {
        const auto [first, last] = std::minmax_element(points.days.begin(), points.days.end());
        if (points.days.size() < rule.fewest ||
            (*last - *first) * kDay < static_cast<double>(rule.shortestSeconds))
            continue;
        const double n = static_cast<double>(points.days.size());
        double meanDay = 0, meanBytes = 0;
        for (std::size_t i = 0; i < points.days.size(); ++i) {
            meanDay += points.days[i] / n;
            meanBytes += points.bytes[i] / n;
        }
        double covariance = 0, spread = 0;
        for (std::size_t i = 0; i < points.days.size(); ++i) {
            covariance += (points.days[i] - meanDay) * (points.bytes[i] - meanBytes);
            spread += (points.days[i] - meanDay) * (points.days[i] - meanDay);
        }
        FolderRate rate{key.first, key.second, covariance / spread, std::nullopt};
        if (trendBytesPerDay && *trendBytesPerDay != 0)
            rate.shareOfTrend = rate.bytesPerDay / *trendBytesPerDay;
        rates.folders.push_back(std::move(rate));
    }
    std::sort(rates.folders.begin(), rates.folders.end(),
              [](const FolderRate& a, const FolderRate& b) {
                  return ByMagnitude(a, b, a.bytesPerDay, b.bytesPerDay);
              });
    return rates;
}

}  // namespace history
