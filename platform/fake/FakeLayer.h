#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "OsLayer.h"

namespace platform {

// A drive as a test scripts it. Space queries are numbered per drive from 1; a query fails
// when its number is in failingSpaceQueries or lies after stopsAnsweringAfter.
struct FakeDrive {
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
    std::set<int> failingSpaceQueries;
    std::optional<int> stopsAnsweringAfter;
    VolumeInformation volume;
    bool volumeQueryFails = false;
    std::uint32_t type = kDriveFixed;
    std::optional<std::string> mountPoint;
    std::optional<std::string> source;
};

// Scans opened and closed, the most open at once, and the drive queries (space, volume,
// type) asked while none was open.
struct FakeScans {
    int begun = 0;
    int ended = 0;
    int deepest = 0;
    int unscoped = 0;
};

struct FakeCounts {
    int space = 0;
    int volume = 0;
    int type = 0;
    int settings = 0;
};

class FakeLayer : public OsLayer {
public:
    FakeDrive& drive(char letter);
    // The usual scripted drive: its size, free space and type, everything else answering.
    FakeDrive& AddDrive(char letter, std::int64_t total, std::int64_t free,
                        std::uint32_t type = kDriveFixed);
    void remove(char letter);

    // Counts over all drives, and per root path as the callers spelled it.
    const FakeCounts& counts() const { return total_; }
    FakeCounts countsFor(char letter) const;
    void resetCounts();

    NumberSettings settings{std::string(","), std::string(".")};
    std::vector<MountWithoutLetter> withoutLetter;

    const FakeScans& scans() const { return scans_; }
    bool scanning() const { return scans_.begun > scans_.ended; }

    std::optional<DiskSpace> diskFreeSpace(std::string_view rootPath) override;
    std::optional<VolumeInformation> volumeInformation(std::string_view rootPath) override;
    std::uint32_t driveType(std::string_view rootPath) override;
    NumberSettings numberSettings() override;
    std::optional<std::string> mountPoint(std::string_view rootPath) override;
    std::optional<std::string> source(std::string_view rootPath) override;
    std::vector<MountWithoutLetter> mountsWithoutLetter() override { return withoutLetter; }
    void beginScan() override;
    void endScan() override { ++scans_.ended; }

private:
    FakeDrive* find(std::string_view rootPath);
    FakeCounts& countsOf(std::string_view rootPath);

    std::map<char, FakeDrive> drives_;
    std::map<std::string, FakeCounts, std::less<>> perRoot_;
    FakeCounts total_;
    FakeScans scans_;
};

// Installs a FakeLayer for the lifetime of the guard and puts the previous layer back after.
class ScopedFakeLayer {
public:
    ScopedFakeLayer();
    ~ScopedFakeLayer();
    ScopedFakeLayer(const ScopedFakeLayer&) = delete;
    ScopedFakeLayer& operator=(const ScopedFakeLayer&) = delete;

    FakeLayer& operator*() const { return *fake_; }
    FakeLayer* operator->() const { return fake_; }

private:
    FakeLayer* fake_;
    std::unique_ptr<OsLayer> previous_;
};

}  // namespace platform
