#include "PosixIo.h"

#include <unistd.h>

#include <array>
#include <cerrno>

namespace platform::posix {

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::optional<std::string> readToEnd(int fd, std::size_t limit) {
    std::string text;
    std::array<char, 16384> chunk{};
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return text;
        text.append(chunk.data(), static_cast<std::size_t>(got));
        if (text.size() > limit) return std::nullopt;
    }
}

}  // namespace platform::posix
