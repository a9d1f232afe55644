#pragma once

#include <QString>

#include "DiskUtils.h"

// The tooltip of a drive row whose label does not fit: the full label and the exact byte
// counts of a probe that holds a present drive.
QString RowToolTip(const DiskUtils::TDisk& probe);
