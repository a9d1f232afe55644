#include "DiskUtils.h"
