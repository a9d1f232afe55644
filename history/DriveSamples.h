#pragma once

#include <vector>

#include "DriveReport.h"
#include "HistoryStore.h"

// The bridge from a scan to the history: what identifies each drive and what is recorded.
namespace history {

// The serial with the mount point, or with the root path ("C:\") where the system has no
// mount point.
DriveKey KeyOf(const DriveRecord& record);

DriveSample SampleOf(const DriveRecord& record);
std::vector<DriveSample> SamplesOf(const std::vector<DriveRecord>& drives);

}  // namespace history
