#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "DiskUtils.h"

namespace drives {

struct Options {
    DiskUtils::SizeUnit unit = DiskUtils::suMega;
    DiskUtils::DivisorSet divisors = DiskUtils::UnitDivisors1000;
    DiskUtils::UnitNameSet words = DiskUtils::OctetUnitNames;
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> pngFile;
    // The usage history: these run in a helper program, so the other paths never load SQLite.
    bool record = false;
    bool history = false;
    bool openMetrics = false;
    std::optional<std::string> openMetricsFile;
    // --scan TARGET: a drive letter ("D:") or a folder, sized instead of listing the drives.
    std::optional<std::string> scan;
    // --grew TARGET [--since DURATION]: what grew on a drive between two of its snapshots.
    std::optional<std::string> grew;
    std::optional<std::int64_t> sinceSeconds;
    // A snapshot of every local fixed drive, for the daily timer.
    bool recordSnapshots = false;

    bool UsesHistory() const {
        return record || history || openMetrics || scan || grew || recordSnapshots;
    }
};

struct OptionError {
    std::string message;
};

// The arguments after the program name. Each value may follow its option as the next
// argument or after "=".
std::variant<Options, OptionError> ParseOptions(const std::vector<std::string_view>& args);

// Installs the display state the way the main window's menu would.
void ApplyDisplayOptions(const Options& options);

// The unit, divisor and word options that ParseOptions reads back as `options`' display
// state; the renderer of --png gets its choices this way.
std::vector<std::string> DisplayArguments(const Options& options);

std::string UsageText();
std::string VersionText();

}  // namespace drives
