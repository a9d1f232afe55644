#include <windows.h>
// windows.h first: dbt.h uses its types without including it.
#include <dbt.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include "DriveWatcher.h"

namespace {

bool IsVolumeArrivalOrRemoval(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    return header != nullptr && header->dbch_devicetype == DBT_DEVTYP_VOLUME;
}

// The system broadcasts WM_DEVICECHANGE to every top-level window when a volume arrives or
// leaves (a USB stick, a mapped network share, a mounted image); the main window is one, so
// the application's filter sees the message before Qt drops it.
class TDeviceChangeWatcher : public TDriveWatcher, public QAbstractNativeEventFilter {
public:
    TDeviceChangeWatcher() { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~TDeviceChangeWatcher() override {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
    }
    TDeviceChangeWatcher(const TDeviceChangeWatcher&) = delete;
    TDeviceChangeWatcher& operator=(const TDeviceChangeWatcher&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "windows_generic_MSG") return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_DEVICECHANGE && IsVolumeArrivalOrRemoval(msg->wParam, msg->lParam))
            emit DrivesChanged();
        return false;
    }
};

}  // namespace

std::unique_ptr<TDriveWatcher> CreateSystemDriveWatcher() {
    return std::make_unique<TDeviceChangeWatcher>();
}
