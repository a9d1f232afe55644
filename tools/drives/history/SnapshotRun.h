#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DriveReport.h"
#include "Options.h"
#include "ScanTypes.h"

// Folder snapshots in the usage history: --scan ... --record, --record-snapshots and --grew.
namespace drives {

// What --scan adds for its folder: with --record the snapshot is stored (an error text when
// it cannot be), and for a drive's root the space no folder explains goes into the report.
struct ScanExtras {
    std::vector<std::string> jsonMembers;
    std::string tableText;
};
std::optional<std::string> AddToScan(const Options& options, const scan::ScanResult& result,
                                     std::int64_t now, ScanExtras& extras);

// --record-snapshots; the exit code.
int RecordSnapshots(std::int64_t now);
// --grew; the exit code.
int RunGrew(const Options& options, std::int64_t now);

}  // namespace drives
