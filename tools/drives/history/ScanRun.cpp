#include "ScanRun.h"

#include <sys/resource.h>

#include <cctype>
#include <optional>
#include <variant>

#include "DiskUtils.h"
#include "DriveReport.h"
#include "Output.h"
#include "ScanReport.h"
#include "Scanner.h"
#include "SnapshotRun.h"
#include "linux/TimedStatvfs.h"

namespace {

using drives::Fail;

struct Target {
    std::string path;
};
struct TargetError {
    std::string message;
    int code;
};

bool IsDriveLetter(const std::string& text) {
    return text.size() == 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

std::variant<Target, TargetError> DriveTarget(char letter) {
    const DriveReport report = ScanDrives();
    for (const DriveRecord& record : report.Drives) {
        if (record.Disk.DriveLetter == letter && record.MountPoint)
            return Target{*record.MountPoint};
    }
    const std::string name = std::string(1, letter) + ":";
    for (const std::string& entry : report.Entries) {
        if (entry == std::string(1, letter))
            return TargetError{"drive " + name + " does not answer", 1};
    }
    return TargetError{name + " is no drive", 2};
}

// A folder on a mount that does not answer would hold the scan at its first call; its statvfs
// is asked by a helper that can be left behind.
std::optional<TargetError> Unanswering(const std::string& path) {
    platform::linuxfs::TimedStatvfs statvfs;
    if (statvfs.query(path) || !statvfs.isStuck(path)) return std::nullopt;
    return TargetError{path + ": the file system does not answer", 1};
}

}  // namespace

void AllowAllDescriptors() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == limit.rlim_max) return;
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

int RunScan(const drives::Options& options, std::int64_t now) {
    const std::string& wanted = *options.scan;
    std::variant<Target, TargetError> target = Target{wanted};
    if (IsDriveLetter(wanted))
        target =
            DriveTarget(static_cast<char>(std::toupper(static_cast<unsigned char>(wanted[0]))));
    else if (auto error = Unanswering(wanted))
        target = *error;
    if (const auto* error = std::get_if<TargetError>(&target))
        return Fail(error->message, error->code);

    AllowAllDescriptors();
    scan::ScanProgress progress;
    auto scanned = scan::ScanFolder(std::get<Target>(target).path, scan::ScanOptions{}, progress);
    if (const auto* error = std::get_if<scan::ScanError>(&scanned))
        return Fail(error->message, error->kind == scan::ScanError::Kind::notAFolder ? 2 : 1);
    const auto& result = std::get<scan::ScanResult>(scanned);
    drives::ScanExtras extras;
    if (auto error = drives::AddToScan(options, result, now, extras)) return Fail(*error, 1);
    const std::string text = options.json ? drives::FormatScanJson(result, extras.jsonMembers)
                                          : drives::FormatScanTable(result) + extras.tableText;
    return drives::Print(text) ? 0 : Fail("cannot write the report", 1);
}
