#include <QApplication>
#include <QSystemTrayIcon>

#include "Notifier.h"

// Windows has no notification server: a program's messages come from its icon in the
// notification area, which is shown while warnings are on. A click on the message opens the
// window of what takes the drive's space, which opens the folder itself on request; muting
// is left to the menu's warnings item there, as the message has no buttons.
namespace {

class TTrayNotifier : public TNotifier {
public:
    TTrayNotifier() : icon_(QApplication::windowIcon()) {
        icon_.setToolTip(QStringLiteral("Vollmark"));
        connect(&icon_, &QSystemTrayIcon::messageClicked, this, [this] {
            if (!lastDriveId_.isEmpty()) emit SpaceRequested(lastDriveId_);
        });
    }

    void Show(const Notice& notice) override {
        if (!icon_.isVisible()) return;
        lastDriveId_ = notice.driveId;
        icon_.showMessage(notice.title, notice.body, QSystemTrayIcon::Warning);
    }

    void SetWarningsOn(bool on) override {
        icon_.setVisible(on && QSystemTrayIcon::isSystemTrayAvailable());
    }

private:
    QSystemTrayIcon icon_;
    QString lastDriveId_;
};

}  // namespace

std::unique_ptr<TNotifier> CreateSystemNotifier() {
    return std::make_unique<TTrayNotifier>();
}
