#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "DisplayCheck.h"
#include "PlatformChoice.h"

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

// Looks where Qt looks for its platform plugins. The plugin list is read before the application
// object exists; Qt computes it afresh once that object is made.
bool waylandPluginInstalled() {
    QStringList folders{qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH")};
    for (const QString& path : QCoreApplication::libraryPaths())
        folders.append(path + QStringLiteral("/platforms"));
    const auto hasPlugin = [](const QString& folder) {
        return !folder.isEmpty() &&
               QFileInfo(QDir(folder).filePath(QStringLiteral("libqwayland-generic.so"))).isFile();
    };
    return std::any_of(folders.begin(), folders.end(), hasPlugin);
}

}  // namespace

std::optional<std::string> PrepareSystemDisplay(const std::vector<std::string_view>& arguments) {
    const auto environment = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    };
    DisplaySettings settings = ReadDisplaySettings(arguments, environment);
    settings.waylandPlugin = waylandPluginInstalled();
    if (const auto platform = ChosenPlatform(settings)) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platform));
        settings.platform = *platform;
    }
    return DisplayProblem(settings, {connectX11, connectWayland});
}
