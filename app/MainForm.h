#pragma once

#include <QPointer>
#include <QScrollArea>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "DesktopSession.h"
#include "DiskUtils.h"
#include "DriveListModel.h"
#include "DriveReport.h"
#include "HistoryForm.h"
#include "InfosForm.h"
#include "RowAccessibleText.h"
#include "RowPainter.h"
#include "SnapshotSource.h"
#include "UserSettings.h"

class QAction;
class QActionGroup;
class QMenu;
class QSettings;
class QTimer;
class TChangeCoalescer;
class TDriveWarnings;
class TFrmHistory;
class TFrmSpace;
class TDriveWatcher;
class TOwnerDrawList;
namespace history {
class BackgroundRecorder;
}

// The main window: the drive list in a window that scrolls it, its repaint timer and its
// context menu. The window is its own scroll area, so the scroll bar is the window's.
// Rows 0 and 1 are the summary rows.
inline constexpr int kFirstDriveRow = 2;

class TFrmMain : public QScrollArea {
    Q_OBJECT

public:
    // `settings` keeps the menu's choices and the window's place between runs; without it
    // every run starts from the start state and nothing is written. It must outlive the window.
    explicit TFrmMain(QSettings* settings = nullptr, DesktopSession session = ThisDesktopSession());
    ~TFrmMain() override;

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void FormMouseWheel(int wheelDelta);

    // The information window that Driveinfos1Click fills; the program creates it after
    // this window.
    void AttachDiskInfo(TFrmDiskInfo* window) { frmDiskInfo_ = window; }
    // Hands the scan of every timer tick to the warnings; before FormCreate, which restores
    // their choices. It must outlive the window.
    void AttachWarnings(TDriveWarnings* warnings);

    // Records the drives in the usage history on the repaint timer, at most as often as the
    // recorder allows (none: nothing is recorded); the recorder must outlive the window.
    // "Історія диска..." shows what `source` reads, up to `clock`'s now (Unix seconds).
    void AttachHistory(history::BackgroundRecorder* recorder, HistorySource source,
                       std::function<std::int64_t()> clock);
    // "Що займає місце..." reads and keeps the drives' snapshots through `source`; before it
    // is attached the item opens nothing.
    void AttachSnapshots(folderview::SnapshotSource source) { snapshotSource_ = std::move(source); }
    // Opens the space window on the drive of `driveId` (as DriveIdOf gives it) in the last
    // scan of the drives; nothing when the drive is gone.
    void OpenSpaceWindow(const QString& driveId);

    // Rescans shortly after the watcher reports that drives came or went, once per burst.
    void WatchDrives(TDriveWatcher& watcher);

    void Timer1Timer();
    void ListBox1DblClick();
    void ListBox1DrawItem(int index, QImage& row, bool selected);
    void PopupMenu1Popup();
    void Rescan1Click();
    void Driveinfos1Click();
    void N10241Click();
    void N10001Click();
    void Bytes1Click();
    void Octets1Click();
    void Kilo1Click();
    void Mega1Click();
    void Giga1Click();
    void Tera1Click();
    void Alphablending1Click();
    void Stayontop1Click();
    void Exit1Click();
    void Startatlogin1Click();
    void Warnings1Click();
    void Drivehistory1Click();
    void Whattakesspace1Click();

    const TDriveListModel& Model() const { return model_; }

    TOwnerDrawList* ListBox1;
    QTimer* Timer1;
    QMenu* PopupMenu1;
    QAction* Driveinfos1;
    QAction* N1;
    QAction* Rescan1;
    QAction* N3;
    QMenu* Settings1;
    QMenu* Divisionnorme1;
    QAction* N10241;
    QAction* N10001;
    QMenu* Showedunit1;
    QAction* Bytes1;
    QAction* Octets1;
    QMenu* Sizeformat1;
    QAction* Kilo1;
    QAction* Mega1;
    QAction* Giga1;
    QAction* Tera1;
    QAction* N4;
    QAction* Alphablending1;
    QAction* Stayontop1;
    QAction* N2;
    QAction* Exit1;
    // The items added to the menu, below "Закрити" (MainMenuAdded.cpp).
    QAction* N5;
    QAction* Startatlogin1;
    QAction* Drivehistory1;
    QAction* Whattakesspace1;
    QAction* Warnings1;

    std::unique_ptr<DiskUtils::TDisk> Disk;
    ListImageTable ListImages;
    // The same images at twice the resolution, for rows painted on a scaled screen.
    ListImageTable ListImages2x;

signals:
    // The window was closed; the program ends its message loop on this.
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpFrame();
    void CreateListBox();
    void CreatePopupMenu();
    void CreateAddedItems();
    void UpdateAddedItems();
    void DisableWhatTheCompositorDecides();
    void KeepWhatTheCompositorDecides(SavedChoices& choices) const;
    void RefreshHistoryWindow();
    void RefreshSpaceWindow();
    void MuteDrive(const QString& driveId);
    void ApplyWarningChoices();
    QString ForecastToolTip(const DriveRecord& record) const;
    void TakeSnapshot();
    // The drive of a row as the last snapshot holds it; null for a summary row or a drive
    // that did not answer then.
    const DriveRecord* SnapshotRecord(int index) const;
    QAction* AddRadio(QMenu* menu, QActionGroup* group, const QString& caption, bool checked,
                      void (TFrmMain::*handler)());
    void SetClientSize(int width, int height);
    void UpdateMinimumSize();
    void UpdateLineIncrement();
    void CentreOnScreen();
    void SnapToEdges();
    void SetStaysOnTop(bool onTop);
    QColor RowBrush(bool selected) const;
    void SystemDrivesChanged();
    void RestoreChoices();
    void ApplyChoices(const SavedChoices& choices);
    SavedChoices CurrentChoices() const;
    void SaveChoices();
    void PlaceAtFirstShow();
    void RefillDiskInfo();
    RowContent SummaryRow(RowKind kind);
    // The summary row as shown, without setting the caption.
    RowContent ShownSummaryRow(RowKind kind) const;
    std::optional<RowContent> DriveRow(const std::string& entry);
    QString RowToolTipAt(int index) const;
    static RowContent ShownDriveRow(const DiskUtils::TDisk& probe);
    static RowContent ShownDriveRow(const DriveRecord& record);
    AccessibleRowText AccessibleRow(int index);
    void RecordUsageIfDue();

    TDriveListModel model_;
    // Every drive once per timer tick, for everything the window adds to its rows: the painter
    // reads the drive it paints, as it always did.
    DriveSnapshot snapshot_;
    DesktopSession session_;
    QPointer<TFrmDiskInfo> frmDiskInfo_;
    bool shownBefore_ = false;
    bool snapping_ = false;
    QSettings* settings_;
    std::optional<SavedChoices> stored_;
    bool storeFailed_ = false;
    QTimer* placementTimer_;
    TChangeCoalescer* driveChanges_;
    TDriveWarnings* warnings_ = nullptr;
    QStringList mutedDrives_;
    QPointer<TFrmHistory> frmHistory_;
    QPointer<TFrmSpace> frmSpace_;
    folderview::SnapshotSource snapshotSource_;
    history::BackgroundRecorder* recorder_ = nullptr;
    HistorySource historySource_;
    std::function<std::int64_t()> historyClock_;
};
