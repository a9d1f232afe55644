#pragma once

// Drive letters, capacity arithmetic and the drive probe: free routines over the module
// state in OptionState.h. Every space, volume and type query goes through the installed
// platform::OsLayer.
#include "Capacity.h"
#include "Drives.h"
#include "NumberText.h"
#include "OptionState.h"
#include "OsLayer.h"
#include "TDisk.h"
