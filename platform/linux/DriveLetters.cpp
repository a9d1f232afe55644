#include "DriveLetters.h"

#include <algorithm>

namespace platform::linuxfs {
namespace {

constexpr std::size_t kRootSlot = letterSlot('C');
constexpr std::size_t kFirstFreeSlot = letterSlot('D');

bool isListed(const std::vector<std::string>& points, const std::string& point) {
    return std::ranges::find(points, point) != points.end();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view digitRun(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) ++end;
    return text.substr(from, end - from);
}

// Compares two runs of digits by value without converting them, so any length works.
int compareNumbers(std::string_view a, std::string_view b) {
    while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
    while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

bool naturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const auto left = digitRun(a, i);
            const auto right = digitRun(b, j);
            if (const int order = compareNumbers(left, right); order != 0) return order < 0;
            i += left.size();
            j += right.size();
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return j < b.size() && i == a.size();
    return a < b;
}

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
    std::ranges::sort(fresh, naturalLess);
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
