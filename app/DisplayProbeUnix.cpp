#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "DisplayCheck.h"

namespace {

std::optional<std::string> xcbReason(int error) {
    switch (error) {
        case 0:
            return std::nullopt;
        case XCB_CONN_CLOSED_PARSE_ERR:
            return "the display name is not valid";
        case XCB_CONN_CLOSED_INVALID_SCREEN:
            return "the display has no such screen";
        case XCB_CONN_CLOSED_MEM_INSUFFICIENT:
            return "out of memory";
        default:
            return "the display refused the connection or is not running";
    }
}

std::optional<std::string> connectX11(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const std::optional<std::string> reason = xcbReason(xcb_connection_has_error(connection));
    xcb_disconnect(connection);
    return reason;
}

std::optional<std::string> connectWayland(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return "the socket path is too long";
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::strerror(errno);
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    const int error = errno;
    close(fd);
    if (connected) return std::nullopt;
    return std::strerror(error);
}

}  // namespace

std::optional<std::string> SystemDisplayProblem(const std::vector<std::string_view>& arguments) {
    const auto environment = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    };
    return DisplayProblem(ReadDisplaySettings(arguments, environment),
                          {connectX11, connectWayland});
}
