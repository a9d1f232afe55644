#include <cstdio>
#include <string_view>
#include <vector>

#include "DiskUtils.h"
#include "DriveReport.h"
#include "HistoryHelper.h"
#include "ListImage.h"
#include "Options.h"
#include "Output.h"
#include "Report.h"

using drives::Fail;
using drives::Print;

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = drives::ParseOptions(args);
    if (const auto* error = std::get_if<drives::OptionError>(&parsed))
        return Fail(error->message, 2);
    const auto& options = std::get<drives::Options>(parsed);
    if (options.help || options.version)
        return Print(options.help ? drives::UsageText() : drives::VersionText()) ? 0 : 1;
    if (options.UsesHistory()) return drives::RunHistoryHelper(argv);
    platform::installLayer(platform::createSystemLayer());
    // The picture comes first: when it cannot be written, its error is all the output.
    if (options.pngFile) {
        if (const auto error = drives::WriteListImage(*options.pngFile, options))
            return Fail(*error, 1);
    }
    DiskUtils::LoadNumberSeparators();
    drives::ApplyDisplayOptions(options);
    const DriveReport report = ScanDrives();
    const std::string text =
        options.json ? drives::FormatJson(report) : drives::FormatTable(report);
    return Print(text) ? 0 : Fail("cannot write the report", 1);
}
