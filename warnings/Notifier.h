#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "WarningTexts.h"

// Shows notices the desktop's way; CMake picks the file for the operating system. Nothing in
// here may wait for the desktop: a missing or hung notification server costs a notice, never
// the window's time.
class TNotifier : public QObject {
    Q_OBJECT

public:
    ~TNotifier() override = default;

    virtual void Show(const Notice& notice) = 0;
    // Where the notices need something on screen of their own (the tray icon on Windows),
    // it is there only while warnings are on.
    virtual void SetWarningsOn(bool on) { (void)on; }

signals:
    void OpenRequested(const QString& folder);
    void MuteRequested(const QString& driveId);
    void SpaceRequested(const QString& driveId);
};

std::unique_ptr<TNotifier> CreateSystemNotifier();
