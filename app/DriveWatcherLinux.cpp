#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

#include "DriveWatcher.h"

namespace {

// The kernel flags an open mountinfo as exceptional (POLLPRI) whenever a mount comes or goes
// in the process's namespace, and the poll that reports it acknowledges it: nothing needs to
// be read. The descriptor is our own, so the layer's own change check sees every change too.
class TMountTableWatcher : public TDriveWatcher {
public:
    explicit TMountTableWatcher(int fd) : fd_(fd), notifier_(fd, QSocketNotifier::Exception) {
        connect(&notifier_, &QSocketNotifier::activated, this, &TDriveWatcher::DrivesChanged);
    }
    ~TMountTableWatcher() override {
        notifier_.setEnabled(false);
        ::close(fd_);
    }
    TMountTableWatcher(const TMountTableWatcher&) = delete;
    TMountTableWatcher& operator=(const TMountTableWatcher&) = delete;

private:
    int fd_;
    QSocketNotifier notifier_;
};

}  // namespace

std::unique_ptr<TDriveWatcher> CreateSystemDriveWatcher() {
    const int fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    // Without /proc there is no notice to wait for; "Обновити" still rescans by hand.
    if (fd < 0) return std::make_unique<TDriveWatcher>();
    return std::make_unique<TMountTableWatcher>(fd);
}
