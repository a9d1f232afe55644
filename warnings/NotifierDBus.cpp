#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QHash>
#include <QStringList>
#include <cstdio>
#include <deque>

#include "NoticeCalls.h"
#include "Notifier.h"

// org.freedesktop.Notifications on the session bus, as freedesktop.org's notification servers
// answer it.
namespace {

using namespace notices;

class TDBusNotifier : public TNotifier {
    Q_OBJECT

public:
    TDBusNotifier() : bus_(QDBusConnection::sessionBus()) {
        // QtDBus offers signal connections by name only.
        bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                     SLOT(ActionInvoked(uint, QString)));
        bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                     SLOT(NotificationClosed(uint, uint)));
    }

    void Show(const Notice& notice) override {
        if (!bus_.isConnected()) return Report(QStringLiteral("no session bus"));
        waiting_.push_back(notice);
        if (!askingCapabilities_) AskCapabilities();
    }

private:
    // The server may have changed since the last notice (a restart, another desktop), so its
    // capabilities are asked for every batch of notices.
    void AskCapabilities() {
        askingCapabilities_ = true;
        auto* watcher =
            new QDBusPendingCallWatcher(bus_.asyncCall(CapabilitiesCall(), kCallTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    askingCapabilities_ = false;
                    const QDBusPendingReply<QStringList> reply = *call;
                    if (reply.isError()) {
                        waiting_.clear();
                        return Report(reply.error().message());
                    }
                    const bool actions = reply.value().contains(QStringLiteral("actions"));
                    const bool markup = reply.value().contains(QStringLiteral("body-markup"));
                    while (!waiting_.empty()) {
                        Notify(waiting_.front(), actions, markup);
                        waiting_.pop_front();
                    }
                });
    }

    void Notify(const Notice& notice, bool actions, bool markup) {
        const auto message =
            NotifyCall(notice, replaces_.value(notice.driveId, 0u), actions, markup);
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, kCallTimeoutMs), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this, notice](QDBusPendingCallWatcher* call) {
                    call->deleteLater();
                    const QDBusPendingReply<uint> reply = *call;
                    if (reply.isError()) return Report(reply.error().message());
                    replaces_.insert(notice.driveId, reply.value());
                    shown_.insert(reply.value(), notice);
                });
    }

    // One line per kind of trouble, so a desktop without a server does not fill the log.
    void Report(const QString& problem) {
        if (reported_.contains(problem)) return;
        reported_ << problem;
        std::fprintf(stderr, "vollmark: cannot show a notification: %s\n", qPrintable(problem));
    }

private slots:
    void ActionInvoked(uint id, const QString& action) {
        const auto notice = shown_.constFind(id);
        if (notice == shown_.cend()) return;
        if (action == kOpenAction) emit OpenRequested(notice->folder);
        if (action == kMuteAction) emit MuteRequested(notice->driveId);
        if (action == kSpaceAction) emit SpaceRequested(notice->driveId);
    }

    void NotificationClosed(uint id, uint reason) {
        (void)reason;
        const auto notice = shown_.constFind(id);
        if (notice == shown_.cend()) return;
        replaces_.remove(notice->driveId);
        shown_.erase(notice);
    }

private:
    QDBusConnection bus_;
    std::deque<Notice> waiting_;
    bool askingCapabilities_ = false;
    QHash<QString, uint> replaces_;
    QHash<uint, Notice> shown_;
    QStringList reported_;
};

}  // namespace

std::unique_ptr<TNotifier> CreateSystemNotifier() {
    return std::make_unique<TDBusNotifier>();
}

#include "NotifierDBus.moc"
