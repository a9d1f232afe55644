#include "DisplayCheck.h"

std::optional<std::string> SystemDisplayProblem(const std::vector<std::string_view>&) {
    return std::nullopt;
}
