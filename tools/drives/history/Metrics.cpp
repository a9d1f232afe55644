#include "Metrics.h"

#include <functional>

#include "Utf8.h"

namespace drives {
namespace {

// Label values are UTF-8 with \, " and line breaks escaped; a stray byte becomes U+FFFD.
std::string LabelValue(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t length = utf8::SequenceLength(text);
        const std::string_view character = text.substr(0, length ? length : 1);
        if (!length)
            out += "\xEF\xBF\xBD";
        else if (character == "\\" || character == "\"")
            out += "\\" + std::string(character);
        else if (character == "\n")
            out += "\\n";
        else
            out += character;
        text.remove_prefix(character.size());
    }
    return out;
}

std::string Labels(const DriveRecord& r) {
    const DiskUtils::TDisk& d = r.Disk;
    return "{letter=\"" + std::string(1, d.DriveLetter) + "\",mountpoint=\"" +
           LabelValue(r.MountPoint.value_or(DiskUtils::RootPathOf(d.DriveLetter))) +
           "\",fstype=\"" + LabelValue(d.FileSystemName) + "\",label=\"" +
           LabelValue(d.VolumeName) + "\"}";
}

struct Metric {
    const char* name;
    const char* help;
    std::function<std::optional<std::int64_t>(const DriveRecord&, const DriveHistory&)> value;
};

}  // namespace

std::string FormatMetrics(const DriveReport& report, const std::vector<DriveHistory>& history) {
    const Metric metrics[] = {
        {"vollmark_drive_size_bytes", "Size of the drive's file system.",
         [](const DriveRecord& r, const DriveHistory&) { return r.Disk.TotalBytes; }},
        {"vollmark_drive_free_bytes", "Space free for the user running Vollmark.",
         [](const DriveRecord& r, const DriveHistory&) { return r.Disk.FreeBytes; }},
        {"vollmark_drive_used_bytes", "Size minus the space free for the user.",
         [](const DriveRecord& r, const DriveHistory&) { return r.Disk.UsedBytes; }},
        {"vollmark_drive_read_only", "1 when the file system is read-only.",
         [](const DriveRecord& r, const DriveHistory&) {
             return std::int64_t{r.ReadOnly() ? 1 : 0};
         }},
        {"vollmark_drive_full_in_seconds",
         "Time until free space runs out at the trend of the usage history.",
         [](const DriveRecord&, const DriveHistory& h) { return h.fullInSeconds; }},
    };
    std::string out;
    for (const Metric& metric : metrics) {
        std::string lines;
        for (std::size_t i = 0; i < report.Drives.size(); ++i) {
            const DriveHistory none;
            const auto value =
                metric.value(report.Drives[i], i < history.size() ? history[i] : none);
            if (value)
                lines +=
                    metric.name + Labels(report.Drives[i]) + " " + std::to_string(*value) + "\n";
        }
        if (lines.empty()) continue;
        out += std::string("# HELP ") + metric.name + " " + metric.help + "\n# TYPE " +
               metric.name + " gauge\n" + lines;
    }
    return out;
}

}  // namespace drives
