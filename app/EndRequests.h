#pragma once

#include <QObject>
#include <memory>

class QWidget;

// Requests from outside to end the program, as closing the main window does from inside:
// SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C, a closed terminal) and the main window's
// native window destroyed by another client. Both arrive through the event loop, so the
// program ends on its normal path and runs every destruction handler.
class TEndRequests : public QObject {
    Q_OBJECT

public:
    // `mainWindow` must outlive this object.
    explicit TEndRequests(const QWidget& mainWindow);
    ~TEndRequests() override;
    TEndRequests(const TEndRequests&) = delete;
    TEndRequests& operator=(const TEndRequests&) = delete;

signals:
    void EndRequested();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};
