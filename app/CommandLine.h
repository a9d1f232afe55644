// The options read before the application object exists. Every other parameter is left to
// the about window, whose unlock word must keep reaching it unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class EarlyAction { Start, Help, Version };

// The first of --help/-h or --version/-V among the parameters decides; anything else starts
// the program as usual.
EarlyAction ReadEarlyAction(const std::vector<std::string_view>& parameters);

std::string HelpText();
std::string VersionText();
