#pragma once

#include <optional>
#include <string>

namespace drives {

// A helper program of the tool: beside it in the build tree, in the library folder once
// installed. nullopt when neither has it.
std::optional<std::string> FindHelper(const std::string& name);

}  // namespace drives
