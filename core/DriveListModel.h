#pragma once

#include <string>
#include <vector>

#include "DiskUtils.h"

// Three sums in giga units, in the order the summary rows show them, and the same sums in
// bytes for scripts. The probe's byte counts stop at 922,337,203,685,477 (the Capacity
// range), so 26 of them cannot overflow a byte sum.
struct CapacityTotals {
    DiskUtils::Capacity Total;
    DiskUtils::Capacity Free;
    DiskUtils::Capacity Used;
    std::int64_t TotalBytes = 0;
    std::int64_t FreeBytes = 0;
    std::int64_t UsedBytes = 0;
    friend bool operator==(const CapacityTotals&, const CapacityTotals&) = default;
};

enum class RowKind { LocalSummary, NetworkSummary, Drive };

inline constexpr const char* kLocalSummaryEntry = "*";
inline constexpr const char* kNetworkSummaryEntry = "#";

RowKind RowKindOf(const std::string& entry);

// The rows of the drive list and the sums behind its two summary rows. Changes only at a
// rescan; painting reads it.
class TDriveListModel {
public:
    // Moves the probe over A to Z and rebuilds the entries and both sums from what answers.
    void Rescan(DiskUtils::TDisk& probe);

    const std::vector<std::string>& Entries() const { return entries_; }
    const CapacityTotals& LocalTotals() const { return local_; }
    const CapacityTotals& NetworkTotals() const { return network_; }

private:
    // Until the first rescan the list holds one empty entry, as its layout does.
    std::vector<std::string> entries_{std::string()};
    CapacityTotals local_;
    CapacityTotals network_;
};
