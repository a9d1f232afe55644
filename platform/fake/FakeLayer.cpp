#include "FakeLayer.h"

#include <algorithm>
#include <cctype>

namespace platform {
namespace {

// Only a root path of the exact shape "X:\" names a drive, as with Win32.
std::optional<char> letterOf(std::string_view rootPath) {
    if (rootPath.size() != 3 || rootPath[1] != ':' || rootPath[2] != '\\') return std::nullopt;
    const auto c = static_cast<unsigned char>(rootPath[0]);
    if (!std::isalpha(c)) return std::nullopt;
    return static_cast<char>(std::toupper(c));
}

}  // namespace

FakeDrive& FakeLayer::drive(char letter) {
    return drives_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))];
}

FakeDrive& FakeLayer::AddDrive(char letter, std::int64_t total, std::int64_t free,
                               std::uint32_t type) {
    auto& added = drive(letter);
    added.totalBytes = total;
    added.freeBytes = free;
    added.type = type;
    return added;
}

void FakeLayer::remove(char letter) {
    drives_.erase(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
}

FakeCounts FakeLayer::countsFor(char letter) const {
    const std::string root{letter, ':', '\\'};
    const auto it = perRoot_.find(root);
    return it == perRoot_.end() ? FakeCounts{} : it->second;
}

void FakeLayer::resetCounts() {
    perRoot_.clear();
    total_ = {};
}

FakeDrive* FakeLayer::find(std::string_view rootPath) {
    const auto letter = letterOf(rootPath);
    if (!letter) return nullptr;
    const auto it = drives_.find(*letter);
    return it == drives_.end() ? nullptr : &it->second;
}

FakeCounts& FakeLayer::countsOf(std::string_view rootPath) {
    if (!scanning()) ++scans_.unscoped;
    auto it = perRoot_.find(rootPath);
    if (it == perRoot_.end()) it = perRoot_.emplace(std::string(rootPath), FakeCounts{}).first;
    return it->second;
}

std::optional<DiskSpace> FakeLayer::diskFreeSpace(std::string_view rootPath) {
    ++total_.space;
    const int number = ++countsOf(rootPath).space;
    const FakeDrive* d = find(rootPath);
    if (!d) return std::nullopt;
    if (d->failingSpaceQueries.contains(number)) return std::nullopt;
    if (d->stopsAnsweringAfter && number > *d->stopsAnsweringAfter) return std::nullopt;
    return DiskSpace{d->totalBytes, d->freeBytes};
}

std::optional<VolumeInformation> FakeLayer::volumeInformation(std::string_view rootPath) {
    ++total_.volume;
    ++countsOf(rootPath).volume;
    const FakeDrive* d = find(rootPath);
    if (!d || d->volumeQueryFails) return std::nullopt;
    return d->volume;
}

std::uint32_t FakeLayer::driveType(std::string_view rootPath) {
    ++total_.type;
    ++countsOf(rootPath).type;
    const FakeDrive* d = find(rootPath);
    return d ? d->type : kDriveNoRootDir;
}

NumberSettings FakeLayer::numberSettings() {
    ++total_.settings;
    return settings;
}

std::optional<std::string> FakeLayer::mountPoint(std::string_view rootPath) {
    const FakeDrive* d = find(rootPath);
    return d ? d->mountPoint : std::nullopt;
}

std::optional<std::string> FakeLayer::source(std::string_view rootPath) {
    const FakeDrive* d = find(rootPath);
    return d ? d->source : std::nullopt;
}

void FakeLayer::beginScan() {
    ++scans_.begun;
    scans_.deepest = std::max(scans_.deepest, scans_.begun - scans_.ended);
}

ScopedFakeLayer::ScopedFakeLayer() {
    auto fake = std::make_unique<FakeLayer>();
    fake_ = fake.get();
    previous_ = installLayer(std::move(fake));
}

ScopedFakeLayer::~ScopedFakeLayer() {
    installLayer(std::move(previous_));
}

}  // namespace platform
