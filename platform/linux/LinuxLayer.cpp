#include "OsLayer.h"

namespace platform {
namespace {

// Placeholder until the mount-table layer lands: no drive answers.
class LinuxLayer : public OsLayer {
public:
    std::optional<DiskSpace> diskFreeSpace(std::string_view) override { return std::nullopt; }
    std::optional<VolumeInformation> volumeInformation(std::string_view) override {
        return std::nullopt;
    }
    std::uint32_t driveType(std::string_view) override { return kDriveNoRootDir; }
    NumberSettings numberSettings() override { return {}; }
};

}  // namespace

std::unique_ptr<OsLayer> createSystemLayer() { return std::make_unique<LinuxLayer>(); }

}  // namespace platform
