#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drives {

// Replaces the file at `path` (bytes as given, no re-encoding) with `contents`: they go to a
// temporary file in the same folder that is renamed over the target once complete. An error
// text on failure; the target is then untouched and the temporary file removed.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents);

}  // namespace drives
