#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace drives {

// "90m", "36h", "7d", "2w", "1d12h" or plain seconds: a positive span in seconds; nullopt for
// anything else, and for a span too long to count.
std::optional<std::int64_t> ParseDuration(std::string_view text);

}  // namespace drives
