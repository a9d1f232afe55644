#include "SnapshotSource.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace folderview {
namespace {

// A writer holding the file costs the window a moment, not a hang.
constexpr std::chrono::milliseconds kReaderWait{250};

template <typename T>
std::optional<T> Value(history::Result<T> result) {
    if (auto* error = std::get_if<history::HistoryError>(&result)) {
        std::fprintf(stderr, "vollmark: cannot read the snapshots: %s\n", error->message.c_str());
        return std::nullopt;
    }
    return std::get<T>(std::move(result));
}

}  // namespace

SnapshotSource StoreSnapshotSource(std::optional<std::string> historyFile) {
    auto reader = std::make_shared<std::unique_ptr<history::Store>>();
    // Null with nothing to read yet; the store once it could be opened.
    auto open = [historyFile, reader]() -> std::optional<history::Store*> {
        if (*reader) return reader->get();
        std::error_code ignored;
        if (!historyFile || !std::filesystem::exists(*historyFile, ignored)) return nullptr;
        history::StoreOptions options;
        options.busyTimeout = kReaderWait;
        auto opened = Value(history::Store::Open(*historyFile, false, options));
        if (!opened) return std::nullopt;
        *reader = std::move(*opened);
        return reader->get();
    };
    SnapshotSource source;
    source.list =
        [open](const history::DriveKey& key) -> std::optional<std::vector<history::SnapshotEntry>> {
        const auto store = open();
        if (!store) return std::nullopt;
        if (!*store) return std::vector<history::SnapshotEntry>{};
        return Value((*store)->Snapshots(key));
    };
    source.load = [open](std::int64_t id) -> std::optional<history::Snapshot> {
        const auto store = open();
        if (!store || !*store) return std::nullopt;
        return Value((*store)->LoadSnapshot(id));
    };
    source.record = [historyFile](const history::DriveSample& drive,
                                  const history::Snapshot& snapshot,
                                  std::int64_t now) -> std::optional<std::string> {
        if (!historyFile) return "no folder to keep the history in";
        auto opened = history::Store::Open(*historyFile, true);
        if (auto* error = std::get_if<history::HistoryError>(&opened)) return error->message;
        if (auto error = std::get<std::unique_ptr<history::Store>>(opened)->RecordSnapshot(
                drive, snapshot, now))
            return error->message;
        return std::nullopt;
    };
    return source;
}

}  // namespace folderview
