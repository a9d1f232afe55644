#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "DiskUtils.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QShowEvent;

// The per-drive detail window. It is parented to the main window (as a separate top-level
// window) so that it stays above it and does not keep the program running once the main
// window closes; whoever owns it must therefore delete it before the main window, or leave
// the deleting to the main window.
class TFrmDiskInfo : public QWidget {
    Q_OBJECT

public:
    explicit TFrmDiskInfo(QWidget* mainWindow);
    ~TFrmDiskInfo() override;

    // Throws std::runtime_error when an icon cannot be loaded; the icons before it stay.
    void FormCreate();
    void FormShow();
    void FormDestroy();

    std::unique_ptr<DiskUtils::TDisk> Disk;

    QFrame* Panel1;
    QFrame* Panel2;
    QFrame* Panel3;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    // The images IDT1 .. IDT6, below the client area: the icon for drive type code n is
    // held by entry n - 1.
    std::array<QLabel*, 6> IconStore;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildHeader();
    void BuildCapacities();
    void BuildVolume();
    void TieCaptionsToValues();
    void CheckStoreIcon(const QLabel* image) const;
    void LoadCheckedIcons();
    void ShowTypeIcon(std::uint32_t driveType);
    void CentreOverMainWindow();

    QPointer<QWidget> mainWindow_;
    bool shownBefore_ = false;
    // IconStore entries checked at creation and not decoded yet, counted from the first.
    std::size_t iconsToLoad_ = 0;
};
