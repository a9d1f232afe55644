#include "Options.h"

#include <utility>

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
    } else {
        if (value.empty()) return "option --png needs a file name";
        options.pngFile = std::string(value);
    }
    return std::nullopt;
}

bool TakesValue(std::string_view name) {
    return name == "--unit" || name == "--divisor" || name == "--words" || name == "--png";
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
        if (name == "--json" || name == "--help" || name == "-h") {
            if (value) return OptionError{"option " + std::string(name) + " takes no value"};
            (name == "--json" ? options.json : options.help) = true;
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
    return options;
}

void ApplyDisplayOptions(const Options& options) {
    DiskUtils::SetUnitDivisors(options.divisors);
    DiskUtils::SetUnitNames(options.words);
    DiskUtils::DisplayUnit = options.unit;
}

std::string UsageText() {
    return "Usage: vollmark-drives [--json] [--png FILE] [--unit kilo|mega|giga|tera]\n"
           "                       [--divisor 1000|1024] [--words octets|bytes]\n"
           "Prints every drive letter that answers, as Vollmark's drive list sees it.\n";
}

}  // namespace drives
