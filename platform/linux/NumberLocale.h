#pragma once

#include <string_view>

#include "OsLayer.h"

namespace platform::linuxfs {

// The separators of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG, as the C library
// resolves them now), read without touching the process's own locale.
NumberSettings readNumberSettings();

// True when `text` is well-formed UTF-8.
bool isUtf8(std::string_view text);

}  // namespace platform::linuxfs
