#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DiskUtils.h"
#include "FolderModel.h"
#include "FolderRowPainter.h"
#include "HistoryStore.h"
#include "RowAccessibleText.h"
#include "SnapshotSource.h"
#include "SpaceScan.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTimer;
class QTreeWidget;
class TGrowthMap;
class TOwnerDrawList;

// What takes the space on one drive: its newest snapshot at once, a folder at a time, biggest
// first, with each folder's change against an earlier snapshot; a scan of its own when there is
// no snapshot or on request. A window of its own beside the main window, like the history.
class TFrmSpace : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<std::int64_t()>;

    // Byte counts read in `display`; the main window hands in its choices as they change.
    TFrmSpace(QWidget* mainWindow, folderview::SnapshotSource source, Clock clock,
              DiskUtils::DisplayOptions display = {});
    ~TFrmSpace() override;

    // Shows the drive's newest snapshot of the whole drive and scans when there is none. The
    // drive that is being scanned already goes on being scanned.
    void ShowDrive(const QString& name, const history::DriveSample& drive);
    const history::DriveKey& Drive() const { return drive_.key; }
    void SetDisplayOptions(const DiskUtils::DisplayOptions& display);

    void Rescan();
    void CancelScan();
    bool Scanning() const { return scan_ != nullptr; }
    // Goes into the folder of a row; nothing for a row without folders beneath it.
    void GoInto(int row);
    void GoUp();
    // The selected row's folder in the desktop's file manager, or the shown folder.
    void OpenFolder();

    // The shown folder's rows, as the list and a map beside it show them.
    const std::vector<folderview::FolderRow>& ShownRows() const { return rows_; }
    // Drive-relative, "" for the drive's top folder.
    const std::string& ShownPath() const { return path_; }
    // Whether the rows' changes are against an earlier snapshot.
    bool Compared() const { return changes_.has_value(); }
    void SelectRow(int row);
    int SelectedRow() const;
    folderview::FolderRowTexts TextsOf(int row) const;
    AccessibleRowText AccessibleTextOf(int row) const;

    QLabel* PathLabel;
    QPushButton* UpButton;
    QPushButton* OpenButton;
    QComboBox* SinceBox;
    QLabel* AgeLabel;
    QPushButton* RescanButton;
    QWidget* ScanPanel;
    QProgressBar* ScanBar;
    QLabel* ScanLabel;
    QLabel* ScanFolderLabel;
    QPushButton* CancelButton;
    QLabel* StatusLabel;
    QSplitter* Splitter;
    QScrollArea* RowsArea;
    TOwnerDrawList* Rows;
    QTreeWidget* FilesList;
    // The place of the growth map, right of the rows.
    QWidget* MapHolder;
    // The shown folder's rows as tiles, kept in step with the list.
    TGrowthMap* Map;

signals:
    // The shown folder, its rows or the comparison changed; no row is selected then.
    void ShownChanged();
    void SelectedRowChanged(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void BuildMap();
    void FillMap();
    void LoadNewest();
    void ShowSnapshot(history::Snapshot snapshot);
    void ChooseComparison();
    void Refill();
    void FillFiles();
    void UpdateTexts();
    void StartScan();
    void PollScans();
    void Finish(folderview::ScanOutcome outcome);
    void Retire();
    void DrawRow(int index, QImage& row, bool selected) const;
    QString RowToolTip(int index) const;
    QString ByteText(std::uint64_t bytes) const;
    QString SignedByteText(std::int64_t bytes) const;
    QString ChangeText(const folderview::FolderRow& row) const;
    QString RestText(std::int64_t bytes) const;
    QString AbsolutePath(const std::string& relative) const;

    folderview::SnapshotSource source_;
    Clock clock_;
    DiskUtils::DisplayOptions display_;
    QString name_;
    history::DriveSample drive_;
    std::vector<history::SnapshotEntry> entries_;
    std::optional<folderview::FolderTree> tree_;
    std::optional<folderview::Changes> changes_;
    std::optional<std::int64_t> comparedTime_;
    // What no folder explains: only from this window's own scan, as the file system's figures
    // of another moment would count every change since as unexplained.
    std::optional<space::Unexplained> unexplained_;
    std::string path_;
    std::vector<folderview::FolderRow> rows_;
    std::unique_ptr<folderview::SpaceScan> scan_;
    // Cancelled scans that have not stopped yet: joined once they have, never waited for.
    std::vector<std::unique_ptr<folderview::SpaceScan>> retired_;
    QTimer* poll_;
};
