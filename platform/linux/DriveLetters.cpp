#include "DriveLetters.h"

#include <algorithm>

namespace platform::linuxfs {
namespace {

constexpr std::size_t kRootSlot = letterSlot('C');
constexpr std::size_t kFirstFreeSlot = letterSlot('D');

bool isListed(const std::vector<std::string>& points, const std::string& point) {
    return std::ranges::find(points, point) != points.end();
}

}  // namespace

DriveLetters assignDriveLetters(const DriveLetters& previous,
                                const std::vector<std::string>& mountPoints) {
    DriveLetters next;
    if (isListed(mountPoints, "/")) next[kRootSlot] = "/";
    for (std::size_t slot = kFirstFreeSlot; slot < next.size(); ++slot) {
        const auto& point = previous[slot];
        if (point && *point != "/" && isListed(mountPoints, *point)) next[slot] = point;
    }

    std::vector<std::string> fresh;
    for (const auto& point : mountPoints) {
        const bool lettered = std::ranges::find(next, std::optional(point)) != next.end();
        if (!lettered) fresh.push_back(point);
    }
    std::ranges::sort(fresh);
    fresh.erase(std::unique(fresh.begin(), fresh.end()), fresh.end());

    std::size_t slot = kFirstFreeSlot;
    for (auto& point : fresh) {
        while (slot < next.size() && next[slot]) ++slot;
        if (slot == next.size()) break;
        next[slot] = std::move(point);
    }
    return next;
}

}  // namespace platform::linuxfs
