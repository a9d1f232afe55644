#include <filesystem>
#include <fstream>

#include "HistoryPath.h"

namespace history {

std::optional<std::string> DefaultHistoryFile(const Environment& environment) {
    const auto local = environment("LOCALAPPDATA");
    if (!local || local->empty()) return std::nullopt;
    return *local + "\\vollmark\\history.sqlite";
}

// The folder under %LOCALAPPDATA% inherits the user's own access rights.
std::optional<HistoryError> PrepareHistoryFile(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) return HistoryError{path + ": " + error.message()};
    return std::nullopt;
}

}  // namespace history
