#pragma once

#include "OsLayer.h"

namespace platform::linuxfs {

// The separators of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG, as the C library
// resolves them now), read without touching the process's own locale.
NumberSettings readNumberSettings();

}  // namespace platform::linuxfs
