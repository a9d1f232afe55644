#pragma once

#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// The file-descriptor chores that the Linux layer and the tool share; POSIX systems only.
namespace platform::posix {

// The whole of `text` as a number: no sign the type cannot hold, no blanks, nothing after it.
template <typename Number>
std::optional<Number> parseNumber(std::string_view text) {
    Number value{};
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// Goes on after interrupted and short writes; false once a write fails.
bool writeAll(int fd, std::string_view text);

// From the current offset to the end; nullopt when a read fails or more than `limit` bytes
// come.
std::optional<std::string> readToEnd(int fd,
                                     std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace platform::posix
