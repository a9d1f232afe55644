#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

// Turns a burst of notices into one or two calls. The first notice arms a short timer and
// later ones postpone it while the burst is young, so the call comes once the notices stop,
// yet never later than `longest` after the first of them however long the burst goes on.
class TChangeCoalescer : public QObject {
    Q_OBJECT

public:
    TChangeCoalescer(std::chrono::milliseconds quiet, std::chrono::milliseconds longest,
                     QObject* parent = nullptr);

    void Notify();
    bool Pending() const { return timer_.isActive(); }

signals:
    void Settled();

private:
    QTimer timer_;
    QElapsedTimer burst_;
    std::chrono::milliseconds quiet_;
    std::chrono::milliseconds longest_;
};
