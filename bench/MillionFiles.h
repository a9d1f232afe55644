#pragma once

#include "ScanTypes.h"

namespace benchdata {

// A million-file drive as a scan sees it: 50,000 folders in a tree up to eight deep, file sizes
// spread over six orders of magnitude, the same every run.
scan::ScanResult MillionFiles();

}  // namespace benchdata
