#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DiskUtils.h"
#include "DriveListModel.h"
#include "RowTexts.h"

// The drive list as the command-line tool reports it: the window's rows and caption, and
// for each drive what the probe holds beyond its row.
struct DriveRecord {
    DiskUtils::TDisk Disk;  // the probe's state while the drive was selected
    RowContent Row;
    std::string FreePercentText;
    std::uint32_t Flags = 0;
    std::optional<std::string> MountPoint;
    std::optional<std::string> Source;

    bool ReadOnly() const;
};

struct DriveReport {
    std::vector<DriveRecord> Drives;
    std::vector<std::string> Entries;
    CapacityTotals LocalTotals;
    CapacityTotals NetworkTotals;
    RowContent LocalRow;
    RowContent NetworkRow;
    std::string Caption;
    std::vector<platform::MountWithoutLetter> WithoutLetter;
};

// The volume flag FILE_READ_ONLY_VOLUME; both layers set it.
inline constexpr std::uint32_t kReadOnlyVolume = 0x00080000;

// From a probe that holds a present drive.
DriveRecord DriveRecordOf(const DiskUtils::TDisk& probe);

// Every answering drive of the list, as plain records: what the window's added features
// (warnings, forecasts, accessibility texts, history) read between two timer ticks instead
// of probing drives while rows are painted.
struct DriveSnapshot {
    std::vector<DriveRecord> Drives;

    const DriveRecord* Find(char letter) const;
};

// Each drive of the list's entries (as TDriveListModel gives them), under the installed
// display state; a drive that stopped answering is left out.
DriveSnapshot TakeDriveSnapshot(const std::vector<std::string>& entries);

// One scan under the installed display state: a rescan of the list, then each listed drive.
DriveReport ScanDrives();
