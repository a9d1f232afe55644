#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "HistoryStore.h"

namespace history {

// Records for a program that must not wait on the file: the store is opened and written on a
// thread of its own, so a slow disk or a database another process holds locked never delays
// the caller. One connection, made on first use and kept.
class BackgroundRecorder {
public:
    using Clock = std::function<std::int64_t()>;  // Unix seconds
    using ReportError = std::function<void(const std::string& message)>;

    // `spacing`: the least time between two recordings of a drive, checked against the file,
    // so a timer that records as well does not double the samples.
    BackgroundRecorder(std::string path, StoreOptions options, std::chrono::seconds spacing,
                       Clock clock, ReportError reportError);
    ~BackgroundRecorder();
    BackgroundRecorder(const BackgroundRecorder&) = delete;
    BackgroundRecorder& operator=(const BackgroundRecorder&) = delete;

    // True before the first submission and once `spacing` has passed since the last one (or
    // the clock went back behind it).
    bool Due() const;

    // Stamps the samples with the clock and returns at once; a batch the thread has not begun
    // is replaced by this one.
    void Submit(std::vector<DriveSample> samples);

private:
    struct Batch {
        std::vector<DriveSample> samples;
        std::int64_t time = 0;
    };
    void Run();
    void Write(const Batch& batch);
    void Report(const std::string& message);

    const std::string path_;
    const StoreOptions options_;
    const std::chrono::seconds spacing_;
    const Clock clock_;
    const ReportError reportError_;
    std::optional<std::int64_t> lastSubmitted_;
    std::unique_ptr<Store> store_;  // the thread's alone
    std::string lastError_;         // the thread's alone
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Batch> pending_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace history
