#include "Options.h"

#include <functional>
#include <utility>

#include "Duration.h"
#include "Report.h"
#include "Version.h"

namespace drives {
namespace {

template <typename T>
using Choices = std::vector<std::pair<std::string_view, T>>;

template <typename T>
std::optional<T> Pick(const Choices<T>& choices, std::string_view value) {
    for (const auto& [name, choice] : choices) {
        if (name == value) return choice;
    }
    return std::nullopt;
}

template <typename T, typename Same>
std::string_view NameOf(const Choices<T>& choices, const T& value, Same same) {
    for (const auto& [name, choice] : choices) {
        if (same(choice, value)) return name;
    }
    return choices.front().first;
}

const Choices<DiskUtils::SizeUnit> kUnits{{"kilo", DiskUtils::suKilo},
                                          {"mega", DiskUtils::suMega},
                                          {"giga", DiskUtils::suGiga},
                                          {"tera", DiskUtils::suTera}};
const Choices<DiskUtils::DivisorSet> kDivisors{{"1000", DiskUtils::UnitDivisors1000},
                                               {"1024", DiskUtils::UnitDivisors1024}};
const Choices<DiskUtils::UnitNameSet> kWords{{"octets", DiskUtils::OctetUnitNames},
                                             {"bytes", DiskUtils::ByteUnitNames}};

// Sets the option named `name` from `value`; an error text when the value is not allowed.
std::optional<std::string> SetValue(Options& options, std::string_view name,
                                    std::string_view value) {
    const auto bad = [&] {
        return "invalid value '" + std::string(value) + "' for " + std::string(name);
    };
    if (name == "--unit") {
        const auto unit = Pick(kUnits, value);
        if (!unit) return bad() + " (expected kilo, mega, giga or tera)";
        options.unit = *unit;
    } else if (name == "--divisor") {
        const auto set = Pick(kDivisors, value);
        if (!set) return bad() + " (expected 1000 or 1024)";
        options.divisors = *set;
    } else if (name == "--words") {
        const auto words = Pick(kWords, value);
        if (!words) return bad() + " (expected octets or bytes)";
        options.words = *words;
    } else if (name == "--scan") {
        if (value.empty()) return "option --scan needs a drive letter or a folder";
        options.scan = std::string(value);
    } else if (name == "--grew") {
        if (value.empty()) return "option --grew needs a drive letter or a folder";
        options.grew = std::string(value);
    } else if (name == "--since") {
        options.sinceSeconds = ParseDuration(value);
        if (!options.sinceSeconds) return bad() + " (expected a span such as 36h, 7d or 2w)";
    } else {
        if (value.empty()) return "option --png needs a file name";
        options.pngFile = std::string(value);
    }
    return std::nullopt;
}

bool* FlagOf(Options& options, std::string_view name) {
    if (name == "--json") return &options.json;
    if (name == "--help" || name == "-h") return &options.help;
    if (name == "--version") return &options.version;
    if (name == "--record") return &options.record;
    if (name == "--history") return &options.history;
    if (name == "--record-snapshots") return &options.recordSnapshots;
    return nullptr;
}

bool TakesValue(std::string_view name) {
    return name == "--unit" || name == "--divisor" || name == "--words" || name == "--png" ||
           name == "--scan" || name == "--grew" || name == "--since";
}

}  // namespace

std::variant<Options, OptionError> ParseOptions(const std::vector<std::string_view>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const auto eq = name.find('=');
            name.starts_with("--") && eq != std::string_view::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        // FILE is optional: the next argument is taken when it is not an option.
        if (name == "--openmetrics") {
            options.openMetrics = true;
            if (!value && i + 1 < args.size() && !args[i + 1].starts_with('-')) value = args[++i];
            if (value && value->empty())
                return OptionError{"option --openmetrics needs a file name after '='"};
            if (value) options.openMetricsFile = std::string(*value);
            continue;
        }
        if (bool* flag = FlagOf(options, name)) {
            if (value) return OptionError{"option " + std::string(name) + " takes no value"};
            *flag = true;
            continue;
        }
        if (!TakesValue(name)) return OptionError{"unknown option '" + std::string(name) + "'"};
        if (!value) {
            if (i + 1 >= args.size())
                return OptionError{"option " + std::string(name) + " needs a value"};
            value = args[++i];
        }
        if (auto error = SetValue(options, name, *value)) return OptionError{*error};
    }
    if (options.scan && (options.pngFile || options.history || options.openMetrics))
        return OptionError{"option --scan takes no --png, --history or --openmetrics"};
    if (options.sinceSeconds && !options.grew) return OptionError{"option --since needs --grew"};
    const bool lists = options.pngFile || options.history || options.openMetrics;
    if (options.grew && (lists || options.scan || options.record || options.recordSnapshots))
        return OptionError{"option --grew takes only --since, --json and the unit options"};
    if (options.recordSnapshots && (lists || options.scan || options.record || options.json))
        return OptionError{"option --record-snapshots takes only the unit options"};
    return options;
}

void ApplyDisplayOptions(const Options& options) {
    DiskUtils::SetUnitDivisors(options.divisors);
    DiskUtils::SetUnitNames(options.words);
    DiskUtils::DisplayUnit = options.unit;
}

std::vector<std::string> DisplayArguments(const Options& options) {
    const auto sameSet = [](const auto& a, const auto& b) { return a.Tera == b.Tera; };
    const auto sameWords = [](const auto& a, const auto& b) { return a.Words == b.Words; };
    return {"--unit=" + std::string(NameOf(kUnits, options.unit, std::equal_to<>())),
            "--divisor=" + std::string(NameOf(kDivisors, options.divisors, sameSet)),
            "--words=" + std::string(NameOf(kWords, options.words, sameWords))};
}

std::string UsageText() {
    return "Usage: vollmark-drives [OPTION]...\n"
           "Prints every drive letter that answers, as Vollmark's drive list sees it: a table,\n"
           "or JSON with --json.\n"
           "\n"
           "  --json                 print JSON instead of the table (default: the table)\n"
           "  --png FILE             also write the drive list as the window shows it, as PNG;\n"
           "                         FILE is replaced only once the picture is complete\n"
           "                         (default: no picture)\n"
           "  --unit kilo|mega|giga|tera\n"
           "                         unit of the drive figures (default: mega)\n"
           "  --divisor 1000|1024    size of a kilo (default: 1000)\n"
           "  --words octets|bytes   unit words: Octets, Ko... or Bytes, KB... (default: octets)\n"
           "  --record               record one sample of each drive in the usage history and\n"
           "                         print nothing (default: no recording)\n"
           "  --history              add each drive's forecast from the usage history: a\n"
           "                         \"Full in\" column, or a \"forecast\" object with --json\n"
           "  --openmetrics [FILE]   print the drives in the Prometheus text format instead, or\n"
           "                         replace FILE with them (default: no metrics)\n"
           "  --scan TARGET          size the folder TARGET, or the drive TARGET (D:), on its\n"
           "                         own file system: its biggest folders and files, as a\n"
           "                         table or with --json (default: list the drives)\n"
           "  --grew TARGET          what grew on a drive (a letter such as D:) or in a folder\n"
           "                         between two of its snapshots: a table, or JSON with --json\n"
           "  --since DURATION       with --grew, compare with the snapshot this long ago\n"
           "                         (36h, 7d, 2w...; default: the one before the newest)\n"
           "  --record-snapshots     record a snapshot of each local fixed drive and print\n"
           "                         nothing (the daily timer's run)\n"
           "  -h, --help             print this help and exit\n"
           "  --version              print the version and exit\n"
           "A value may also follow its option after '='.\n"
           "\n"
           "Texts that are not valid UTF-8 (labels and mount points are bytes on Linux): the\n"
           "table shows each stray byte and each control character as \\xHH and a backslash\n"
           "as \\\\; JSON gives the text with U+FFFD for each stray byte and, beside it, the\n"
           "exact bytes in base64 under the same key with \"Base64\" appended. Table labels\n"
           "past " +
           std::to_string(kLabelColumnLimit) +
           " characters are shortened in the middle.\n"
           "\n"
           "The usage history is $XDG_STATE_HOME/vollmark/history.sqlite\n"
           "(~/.local/state/vollmark/history.sqlite when XDG_STATE_HOME is unset).\n"
           "\n"
           "Exit status: 0 on success, 1 when the PNG, the report, the metrics file or (with\n"
           "--record) the history cannot be written, the drive of --scan or --grew does not\n"
           "answer, or --grew finds fewer than two snapshots; 2 for a bad option, or a TARGET\n"
           "that is neither a folder nor a drive.\n";
}

std::string VersionText() {
    return std::string("vollmark-drives ") + kVollmarkVersion + "\n";
}

}  // namespace drives
