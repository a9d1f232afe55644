#include "Recorder.h"

namespace history {

BackgroundRecorder::BackgroundRecorder(std::string path, StoreOptions options,
                                       std::chrono::seconds spacing, Clock clock,
                                       ReportError reportError)
    : path_(std::move(path)),
      options_(options),
      spacing_(spacing),
      clock_(std::move(clock)),
      reportError_(std::move(reportError)),
      thread_([this] { Run(); }) {}

// A batch still waiting is written first; a write in progress is bounded by the busy timeout.
BackgroundRecorder::~BackgroundRecorder() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

bool BackgroundRecorder::Due() const {
    if (!lastSubmitted_) return true;
    const std::int64_t now = clock_();
    return now < *lastSubmitted_ || now - *lastSubmitted_ >= spacing_.count();
}

void BackgroundRecorder::Submit(std::vector<DriveSample> samples) {
    const std::int64_t now = clock_();
    lastSubmitted_ = now;
    {
        const std::lock_guard lock(mutex_);
        pending_ = Batch{std::move(samples), now};
    }
    wake_.notify_one();
}

void BackgroundRecorder::Run() {
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || pending_; });
        if (!pending_) return;
        const Batch batch = std::move(*pending_);
        pending_.reset();
        lock.unlock();
        Write(batch);
    }
}

void BackgroundRecorder::Write(const Batch& batch) {
    if (!store_) {
        auto opened = Store::Open(path_, true, options_);
        if (auto* error = std::get_if<HistoryError>(&opened)) return Report(error->message);
        store_ = std::move(std::get<std::unique_ptr<Store>>(opened));
    }
    if (auto error = store_->Record(batch.samples, batch.time, spacing_)) Report(error->message);
}

// The same failure every ten minutes is said once.
void BackgroundRecorder::Report(const std::string& message) {
    if (message == lastError_) return;
    lastError_ = message;
    reportError_(message);
}

}  // namespace history
