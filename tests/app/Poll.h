#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

// Runs the event loop until `done` holds. The limit only keeps a broken build from hanging
// the suite; nothing is measured against it.
template <typename Condition>
bool PollUntil(Condition done) {
    const QDeadlineTimer limit(30'000);
    while (!done()) {
        if (limit.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}
