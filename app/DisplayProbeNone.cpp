#include "DisplayCheck.h"

std::optional<std::string> PrepareSystemDisplay(const std::vector<std::string_view>&) {
    return std::nullopt;
}
