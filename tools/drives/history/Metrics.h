#pragma once

#include <string>
#include <vector>

#include "DriveReport.h"
#include "Report.h"

namespace drives {

// The drives in the Prometheus text format, as node-exporter's textfile collector reads it:
// sizes in bytes, read-only as 0 or 1, and the seconds until full where there is a forecast.
std::string FormatMetrics(const DriveReport& report, const std::vector<DriveHistory>& history);

}  // namespace drives
