#include <cstdio>
#include <string_view>
#include <vector>

#include "DiskUtils.h"
#include "ListReport.h"
#include "Options.h"
#include "Report.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = drives::ParseOptions(args);
    if (const auto* error = std::get_if<drives::OptionError>(&parsed)) {
        std::fprintf(stderr, "vollmark-drives: %s\n", error->message.c_str());
        return 2;
    }
    const auto& options = std::get<drives::Options>(parsed);
    if (options.help) {
        std::fputs(drives::UsageText().c_str(), stdout);
        return 0;
    }
    DiskUtils::LoadNumberSeparators();
    drives::ApplyDisplayOptions(options);
    const auto rows = drives::CollectDrives();
    const std::string text =
        options.json ? drives::FormatJson(rows, drives::ListMembers()) : drives::FormatTable(rows);
    std::fputs(text.c_str(), stdout);
    if (!options.pngFile) return 0;
    if (const auto error = drives::WriteListImage(*options.pngFile, options)) {
        std::fprintf(stderr, "vollmark-drives: %s\n", error->c_str());
        return 1;
    }
    return 0;
}
