#include "Duration.h"

#include <charconv>
#include <limits>

namespace drives {
namespace {

std::optional<std::int64_t> UnitSeconds(char unit) {
    switch (unit) {
        case 's':
            return 1;
        case 'm':
            return 60;
        case 'h':
            return 3600;
        case 'd':
            return 24 * 3600;
        case 'w':
            return 7 * 24 * 3600;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<std::int64_t> ParseDuration(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t total = 0;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    while (!text.empty()) {
        std::int64_t count = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
        if (error != std::errc() || end == text.data() || count < 0) return std::nullopt;
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        std::int64_t unit = 1;
        if (!text.empty()) {
            const auto seconds = UnitSeconds(text.front());
            if (!seconds) return std::nullopt;
            unit = *seconds;
            text.remove_prefix(1);
        } else if (total != 0) {
            return std::nullopt;  // "1d5": five of what?
        }
        if (count > (kMax - total) / unit) return std::nullopt;
        total += count * unit;
    }
    if (total == 0) return std::nullopt;
    return total;
}

}  // namespace drives
