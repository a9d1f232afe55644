#pragma once

#include <string>

#include "DiskUtils.h"

// The probe's drive type as the windows show it: its code in the user's language; a code the
// probe does not know as the bare number, and "0" for an absent drive, as the probe gives them.
std::string DriveTypeName(const DiskUtils::TDisk& probe);
