#pragma once

#include <QObject>
#include <memory>

// Tells when the operating system reports that drives came or went. This base never does: it
// stands in where the system gives no notice, and tests emit DrivesChanged themselves.
class TDriveWatcher : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    void DrivesChanged();
};

// The watcher of the operating system the program was built for; CMake picks its source file.
std::unique_ptr<TDriveWatcher> CreateSystemDriveWatcher();
