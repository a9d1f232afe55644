#include "StoreHistorySource.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

constexpr std::chrono::milliseconds kReaderWait{250};

template <typename T>
std::optional<T> Value(history::Result<T> result) {
    if (auto* error = std::get_if<history::HistoryError>(&result)) {
        std::fprintf(stderr, "vollmark: cannot read the history: %s\n", error->message.c_str());
        return std::nullopt;
    }
    return std::get<T>(std::move(result));
}

}  // namespace

HistorySource StoreHistorySource(std::optional<std::string> historyFile) {
    auto store = std::make_shared<std::unique_ptr<history::Store>>();
    return [historyFile, store](const history::DriveKey& key,
                                std::int64_t since) -> std::optional<HistoryFigures> {
        if (!historyFile) return std::nullopt;
        if (!*store) {
            std::error_code ignored;
            if (!std::filesystem::exists(*historyFile, ignored)) return HistoryFigures{};
            history::StoreOptions options;
            options.busyTimeout = kReaderWait;
            auto opened = Value(history::Store::Open(*historyFile, false, options));
            if (!opened) return std::nullopt;
            *store = std::move(*opened);
        }
        auto samples = Value((*store)->Samples(key, since));
        auto hourly = Value((*store)->Hourly(key, since));
        if (!samples || !hourly) return std::nullopt;
        return HistoryFigures{std::move(*samples), std::move(*hourly)};
    };
}
