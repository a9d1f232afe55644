#include "Win32Layer.h"

#include <string>

#include "Win32Calls.h"
#include "Win32Values.h"

namespace platform {
namespace {

std::optional<win32::ProcAddress> extendedSpaceQuery(SpaceQuery query) {
    if (query == SpaceQuery::Legacy) return std::nullopt;
    return win32::findProcedure("kernel32.dll", "GetDiskFreeSpaceExA");
}

std::optional<std::string> readableNumberSetting(std::uint32_t locale,
                                                 win32::NumberSetting setting) {
    const auto ansi = win32::localeInfo(locale, setting);
    if (!ansi) return std::nullopt;
    return win32::ansiToUtf8(*ansi);
}

// The process error mode is left as the user set it, so on a drive without a medium Windows
// may ask for one before the query fails and the drive counts as not answering.
class Win32Layer final : public OsLayer {
public:
    explicit Win32Layer(SpaceQuery query) : getDiskFreeSpaceExA_(extendedSpaceQuery(query)) {}

    std::optional<DiskSpace> diskFreeSpace(std::string_view rootPath) override {
        const std::string root(rootPath);
        if (getDiskFreeSpaceExA_) {
            const auto counts = win32::diskFreeSpaceEx(*getDiskFreeSpaceExA_, root);
            if (!counts) return std::nullopt;
            return win32::spaceFromByteCounts(*counts);
        }
        const auto clusters = win32::diskFreeSpace(root);
        if (!clusters) return std::nullopt;
        return win32::spaceFromClusters(*clusters);
    }

    std::optional<VolumeInformation> volumeInformation(std::string_view rootPath) override {
        const auto raw = win32::volumeInformation(std::string(rootPath));
        if (!raw) return std::nullopt;
        auto volumeName = win32::ansiToUtf8(win32::nameFromBuffer(raw->volumeName));
        auto fileSystemName = win32::ansiToUtf8(win32::nameFromBuffer(raw->fileSystemName));
        if (!volumeName || !fileSystemName) return std::nullopt;
        return VolumeInformation{std::move(*volumeName), std::move(*fileSystemName),
                                 raw->serialNumber, raw->maximumComponentLength,
                                 raw->fileSystemFlags};
    }

    std::uint32_t driveType(std::string_view rootPath) override {
        return win32::driveType(std::string(rootPath));
    }

    NumberSettings numberSettings() override {
        const std::uint32_t locale = win32::threadLocale();
        return {readableNumberSetting(locale, win32::NumberSetting::Thousands),
                readableNumberSetting(locale, win32::NumberSetting::Decimal)};
    }

private:
    std::optional<win32::ProcAddress> getDiskFreeSpaceExA_;
};

}  // namespace

std::unique_ptr<OsLayer> createWin32Layer(SpaceQuery query) {
    return std::make_unique<Win32Layer>(query);
}

std::unique_ptr<OsLayer> createSystemLayer() {
    return createWin32Layer(SpaceQuery::Extended);
}

}  // namespace platform
