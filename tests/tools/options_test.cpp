#include <gtest/gtest.h>

#include "Duration.h"
#include "Options.h"

using namespace drives;

namespace {

std::variant<Options, OptionError> Parse(std::vector<std::string_view> args) {
    return ParseOptions(args);
}

TEST(DrivesOptions, defaults_matchTheProgramStart) {
    const auto options = std::get<Options>(Parse({}));
    EXPECT_EQ(options.unit, DiskUtils::suMega);
    EXPECT_EQ(options.divisors.Giga, 1'000'000'000);
    EXPECT_EQ(options.words.Words[0], "Octets");
    EXPECT_FALSE(options.json);
    EXPECT_FALSE(options.pngFile);
}

TEST(DrivesOptions, valuesAreTakenSeparateOrAfterEquals) {
    const auto options = std::get<Options>(
        Parse({"--unit", "tera", "--divisor=1024", "--words", "bytes", "--json", "--png=out.png"}));
    EXPECT_EQ(options.unit, DiskUtils::suTera);
    EXPECT_EQ(options.divisors.Tera, 1'099'511'627'776);
    EXPECT_EQ(options.words.Words[3], "GB");
    EXPECT_TRUE(options.json);
    EXPECT_EQ(options.pngFile, "out.png");
}

// The metrics file is optional: a following option is not taken for it.
TEST(DrivesOptions, openMetricsFile_isOptional) {
    const auto toFile = std::get<Options>(Parse({"--record", "--openmetrics", "out.prom"}));
    EXPECT_TRUE(toFile.record && toFile.openMetrics && toFile.UsesHistory());
    EXPECT_EQ(toFile.openMetricsFile, "out.prom");
    const auto printed = std::get<Options>(Parse({"--openmetrics", "--history"}));
    EXPECT_TRUE(printed.openMetrics && printed.history);
    EXPECT_FALSE(printed.openMetricsFile);
    EXPECT_EQ(std::get<Options>(Parse({"--openmetrics=m.prom"})).openMetricsFile, "m.prom");
    EXPECT_FALSE(std::get<Options>(Parse({"--json"})).UsesHistory());
    // A scan runs in the history helper too, so the table's run never carries the scanner.
    const auto scan = std::get<Options>(Parse({"--scan", "D:", "--json"}));
    EXPECT_TRUE(scan.UsesHistory() && scan.json);
    EXPECT_EQ(scan.scan, "D:");
}

TEST(DrivesOptions, helpAndVersion_areFlags) {
    EXPECT_TRUE(std::get<Options>(Parse({"-h"})).help);
    EXPECT_TRUE(std::get<Options>(Parse({"--version"})).version);
    EXPECT_TRUE(VersionText().starts_with("vollmark-drives "));
}

// The renderer of --png must see the same choices as the tool.
TEST(DrivesOptions, displayArguments_parseBackToTheSameDisplayState) {
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {}, {"--unit=kilo", "--divisor=1024", "--words=bytes"}, {"--unit=tera"}}) {
        const auto options = std::get<Options>(Parse(args));
        const auto strings = DisplayArguments(options);
        const auto again =
            std::get<Options>(Parse(std::vector<std::string_view>(strings.begin(), strings.end())));
        EXPECT_EQ(again.unit, options.unit);
        EXPECT_EQ(again.divisors.Kilo, options.divisors.Kilo);
        EXPECT_EQ(again.words.Words, options.words.Words);
    }
}

TEST(DrivesOptions, badInput_namesTheProblem) {
    struct Case {
        std::vector<std::string_view> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--unit", "byte"}, "invalid value 'byte' for --unit (expected kilo, mega, giga or tera)"},
        {{"--divisor=1023"}, "invalid value '1023' for --divisor (expected 1000 or 1024)"},
        {{"--words", "Octets"}, "invalid value 'Octets' for --words (expected octets or bytes)"},
        {{"--unit"}, "option --unit needs a value"},
        {{"--png="}, "option --png needs a file name"},
        {{"--json=yes"}, "option --json takes no value"},
        {{"--verbose"}, "unknown option '--verbose'"},
        {{"giga"}, "unknown option 'giga'"},
        {{"--scan="}, "option --scan needs a drive letter or a folder"},
        {{"--scan", "D:", "--png", "x.png"},
         "option --scan takes no --png, --history or --openmetrics"},
        {{"--history", "--scan=/srv"}, "option --scan takes no --png, --history or --openmetrics"},
    };
    for (const Case& c : cases) {
        const auto result = Parse(c.args);
        ASSERT_TRUE(std::holds_alternative<OptionError>(result)) << c.message;
        EXPECT_EQ(std::get<OptionError>(result).message, c.message);
    }
}

}  // namespace

namespace {

// Spans in the units a user types, alone or chained; nothing else, nothing empty, and
// nothing that would overflow.
TEST(DrivesOptions, grewSince_takesSpansOnly) {
    const auto options = std::get<Options>(Parse({"--grew", "D:", "--since=1d12h", "--json"}));
    EXPECT_EQ(options.grew, "D:");
    EXPECT_EQ(options.sinceSeconds, 36 * 3600);
    EXPECT_TRUE(options.UsesHistory());
    const std::pair<std::string_view, std::optional<std::int64_t>> spans[] = {
        {"90m", 5400},
        {"2w", 14 * 86400},
        {"45", 45},
        {"1h30m", 5400},
        {"", {}},
        {"0d", {}},
        {"d", {}},
        {"-1d", {}},
        {"1d5", {}},
        {"3y", {}},
        {"99999999999999w", {}}};
    for (const auto& [text, seconds] : spans) EXPECT_EQ(ParseDuration(text), seconds) << text;
    EXPECT_TRUE(std::holds_alternative<OptionError>(Parse({"--since", "7d"})));
    EXPECT_TRUE(std::holds_alternative<OptionError>(Parse({"--grew", "D:", "--since", "7x"})));
    EXPECT_TRUE(std::holds_alternative<OptionError>(Parse({"--grew", "D:", "--scan", "D:"})));
    EXPECT_TRUE(std::holds_alternative<OptionError>(Parse({"--record-snapshots", "--json"})));
    EXPECT_TRUE(std::get<Options>(Parse({"--record-snapshots"})).UsesHistory());
}

}  // namespace
