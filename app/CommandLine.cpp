#include "CommandLine.h"

#include "BuildInfo.h"

EarlyAction ReadEarlyAction(const std::vector<std::string_view>& parameters) {
    for (const std::string_view p : parameters) {
        if (p == "--help" || p == "-h") return EarlyAction::Help;
        if (p == "--version" || p == "-V") return EarlyAction::Version;
    }
    return EarlyAction::Start;
}

std::string HelpText() {
    return "Usage: vollmark [--help | --version]\n"
           "Shows how full the drives are, one row per drive letter, in one narrow window.\n"
           "Other arguments start the window as usual; Qt's own options (-platform, -display) "
           "are read by Qt.\n"
           "Exit status: 0 when the window is closed, 1 when no display can be opened.\n"
           "See vollmark(1); vollmark-drives prints the same list without a display.\n";
}

std::string VersionText() {
    return std::string("vollmark ") + kVollmarkVersion + "\n";
}
