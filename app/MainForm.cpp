#include "MainForm.h"

#include <QCloseEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "ChangeCoalescer.h"
#include "DriveTypeNames.h"
#include "DriveWarnings.h"
#include "DriveWatcher.h"
#include "Fonts.h"
#include "InfosForm.h"
#include "OwnerDrawList.h"
#include "RowToolTip.h"
#include "WindowGeometry.h"

namespace {

constexpr int kClientWidthAtCreation = 369;
constexpr int kClientHeightAtCreation = 162;
constexpr int kRepaintIntervalMs = 5000;
constexpr double kTransparentOpacity = 180.0 / 255.0;
const QColor kListBackground(240, 240, 240);
// A window being dragged moves many times a second; its place is written once it rests.
constexpr int kPlacementSettleMs = 500;
// Mounting a dozen file systems takes a moment; the list follows within a second all the same.
constexpr std::chrono::milliseconds kDriveChangeQuiet{250};
constexpr std::chrono::milliseconds kDriveChangeLongest{900};

char LetterOf(const std::string& entry) {
    return entry.empty() ? '\0' : entry.front();
}

constexpr Qt::WindowFlags kFrameFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                        Qt::WindowCloseButtonHint;

}  // namespace

TFrmMain::TFrmMain(QSettings* settings, DesktopSession session)
    : session_(std::move(session)),
      settings_(settings),
      placementTimer_(new QTimer(this)),
      driveChanges_(new TChangeCoalescer(kDriveChangeQuiet, kDriveChangeLongest, this)) {
    placementTimer_->setSingleShot(true);
    placementTimer_->setInterval(kPlacementSettleMs);
    connect(placementTimer_, &QTimer::timeout, this, &TFrmMain::SaveChoices);
    connect(driveChanges_, &TChangeCoalescer::Settled, this, &TFrmMain::SystemDrivesChanged);
    SetUpFrame();
    CreateListBox();
    Timer1 = new QTimer(this);
    Timer1->setInterval(kRepaintIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TFrmMain::Timer1Timer);
    Timer1->start();
    CreatePopupMenu();
    connect(ListBox1, &TOwnerDrawList::ContextPopup, PopupMenu1,
            [this](const QPoint& pos) { PopupMenu1->popup(pos); });
}

void TFrmMain::SetUpFrame() {
    setWindowFlags(kFrameFlags);
    setWindowTitle(QStringLiteral("Vollmark"));
    setFont(FormFont());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    viewport()->setBackgroundRole(QPalette::Button);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->installEventFilter(this);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &TFrmMain::UpdateLineIncrement);
}

void TFrmMain::CreateListBox() {
    ListBox1 = new TOwnerDrawList(kRowWidth, kRowHeight);
    ListBox1->setFont(ListFont());
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, kListBackground);
    ListBox1->setPalette(palette);
    ListBox1->SetCount(static_cast<int>(model_.Entries().size()));
    ListBox1->SetDrawItem(
        [this](int index, QImage& row, bool selected) { ListBox1DrawItem(index, row, selected); });
    ListBox1->SetAccessibleText([this](int index) { return AccessibleRow(index); });
    connect(ListBox1, &TOwnerDrawList::DblClick, this, &TFrmMain::ListBox1DblClick);
    connect(ListBox1, &TOwnerDrawList::KeyboardSelected, this, [this](int index) {
        ensureVisible(0, index * kRowHeight + kRowHeight / 2, 0, kRowHeight / 2);
    });
    connect(ListBox1, &TOwnerDrawList::ItemActivated, this, &TFrmMain::Driveinfos1Click);
    ListBox1->SetToolTip([this](int index) { return RowToolTipAt(index); });
    setWidget(ListBox1);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::FormCreate() {
    LoadListImages(ListImages);
    LoadListImages2x(ListImages2x);
    // Qt paints every widget through a back buffer already: double buffering needs no step.
    SetClientSize(kClientWidthAtCreation, kClientHeightAtCreation);
    UpdateMinimumSize();
    DiskUtils::SetUnitNames(DiskUtils::OctetUnitNames);
    DiskUtils::SetUnitDivisors(DiskUtils::UnitDivisors1000);
    RestoreChoices();
    Disk = std::make_unique<DiskUtils::TDisk>();
    Rescan1Click();
    TakeSnapshot();
}

void TFrmMain::FormShow() {
    // A window taller than the work area could not be moved or closed from its title bar.
    const int frameHeight = frameGeometry().height() - height();
    const int room = screen()->availableGeometry().height() - frameHeight;
    const int wanted = ClientHeightShowing(ListBox1->height(), devicePixelRatioF());
    SetClientSize(width(), std::min(std::max(wanted, minimumHeight()), room));
}

void TFrmMain::FormDestroy() {
    Timer1->stop();
    model_ = TDriveListModel();
    ListBox1->SetCount(0);
    Disk.reset();
    for (auto it = ListImages.rbegin(); it != ListImages.rend(); ++it) it->reset();
    for (auto& image : ListImages2x) image.reset();
}

void TFrmMain::FormMouseWheel(int wheelDelta) {
    QScrollBar* bar = verticalScrollBar();
    if (wheelDelta > 0) bar->setValue(bar->value() - bar->singleStep());
    if (wheelDelta < 0) bar->setValue(bar->value() + bar->singleStep());
}

void TFrmMain::WatchDrives(TDriveWatcher& watcher) {
    connect(&watcher, &TDriveWatcher::DrivesChanged, driveChanges_, &TChangeCoalescer::Notify);
}

// Unlike "Обновити", which keeps the height, the window fits the new rows at once: a drive
// that appears by itself would otherwise be hidden below the last row in sight.
void TFrmMain::SystemDrivesChanged() {
    Rescan1Click();
    if (isVisible()) FormShow();
    RefillDiskInfo();
    TakeSnapshot();
}

// The information window keeps what its probe held; a drive that went away must show as
// absent there rather than with the figures it had.
void TFrmMain::RefillDiskInfo() {
    if (!frmDiskInfo_ || !frmDiskInfo_->isVisible() || !frmDiskInfo_->Disk) return;
    const platform::ScanScope scan;
    frmDiskInfo_->Disk->Refresh();
    frmDiskInfo_->FormShow();
}

void TFrmMain::Timer1Timer() {
    ListBox1->update();
    TakeSnapshot();
}

// Made whether or not anything is painted: a minimized, covered or scrolled window warns and
// records like one in sight. The listed drives, as the rows show them: drives that come or go
// reach the list through its rescans.
void TFrmMain::TakeSnapshot() {
    if (!Disk) return;
    snapshot_ = TakeDriveSnapshot(model_.Entries());
    if (warnings_) warnings_->Scanned(snapshot_);
    RecordUsageIfDue();
    RefreshHistoryWindow();
    RefreshSpaceWindow();
}

const DriveRecord* TFrmMain::SnapshotRecord(int index) const {
    const auto& entries = model_.Entries();
    if (index < kFirstDriveRow || static_cast<std::size_t>(index) >= entries.size()) return nullptr;
    return snapshot_.Find(LetterOf(entries[static_cast<std::size_t>(index)]));
}

void TFrmMain::ListBox1DblClick() {
    ListBox1->SetItemIndex(-1);
}

void TFrmMain::ListBox1DrawItem(int index, QImage& row, bool selected) {
    const auto& entries = model_.Entries();
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    const RowKind kind = RowKindOf(entry);
    const auto content = kind == RowKind::Drive ? DriveRow(entry) : SummaryRow(kind);
    if (content)
        PaintRow(row, ListImages, ListImages2x, kind, selected, RowBrush(selected), *content,
                 ListBox1->font());
}

RowContent TFrmMain::SummaryRow(RowKind kind) {
    if (kind == RowKind::LocalSummary) {
        setWindowTitle(QString::fromStdString(
            CaptionText(model_.LocalTotals(), tr("Vollmark - Total: %1 (%2 Free)").toStdString())));
    }
    return ShownSummaryRow(kind);
}

RowContent TFrmMain::ShownSummaryRow(RowKind kind) const {
    const bool local = kind == RowKind::LocalSummary;
    const std::string label =
        (local ? tr("LOCAL DISKS VALUE") : tr("NETWORK DISKS VALUE")).toStdString();
    return SummaryRowContent(label.c_str(), local ? model_.LocalTotals() : model_.NetworkTotals());
}

QString TFrmMain::RowToolTipAt(int index) const {
    const DriveRecord* record = SnapshotRecord(index);
    if (!record) return {};
    const QString forecast = ForecastToolTip(*record);
    if (!LabelShortened(ShownDriveRow(*record), ListBox1->font())) return forecast;
    const QString label = RowToolTip(record->Disk);
    return forecast.isEmpty() ? label : label + '\n' + forecast;
}

// Nothing is drawn for a drive that stopped answering: the rescan replaces the rows, and
// `entry` with them.
std::optional<RowContent> TFrmMain::DriveRow(const std::string& entry) {
    if (!Disk) return std::nullopt;
    Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex(LetterOf(entry)));
    if (!Disk->Present) {
        Rescan1Click();
        return std::nullopt;
    }
    return ShownDriveRow(*Disk);
}

// The row as the window shows it, with the type in the user's language.
RowContent TFrmMain::ShownDriveRow(const DiskUtils::TDisk& probe) {
    RowContent row = DriveRowContent(probe);
    row.BracketText = BracketText(probe.FileSystemName, DriveTypeName(probe));
    return row;
}

// The same from a snapshot, which read the figures already; the tooltip asks through here,
// so it sees the label shortened exactly where the painter shortens it.
RowContent TFrmMain::ShownDriveRow(const DriveRecord& record) {
    RowContent row = record.Row;
    row.BracketText = BracketText(record.Disk.FileSystemName, DriveTypeName(record.Disk));
    return row;
}

void TFrmMain::PopupMenu1Popup() {
    const bool driveRow = ListBox1->ItemIndex() >= kFirstDriveRow;
    Driveinfos1->setVisible(driveRow);
    N1->setVisible(driveRow);
    UpdateAddedItems();
}

void TFrmMain::Rescan1Click() {
    if (Disk) model_.Rescan(*Disk);
    ListBox1->SetCount(static_cast<int>(model_.Entries().size()));
    setMaximumWidth(width());
}

void TFrmMain::Driveinfos1Click() {
    const int index = ListBox1->ItemIndex();
    if (index < kFirstDriveRow || !frmDiskInfo_ || !frmDiskInfo_->Disk) return;
    const std::string& entry = model_.Entries()[static_cast<std::size_t>(index)];
    const platform::ScanScope scan;
    frmDiskInfo_->Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex(LetterOf(entry)));
    if (frmDiskInfo_->isVisible())
        frmDiskInfo_->FormShow();
    else
        frmDiskInfo_->show();
}

void TFrmMain::Alphablending1Click() {
    setWindowOpacity(Alphablending1->isChecked() ? kTransparentOpacity : 1.0);
    SaveChoices();
}

void TFrmMain::Stayontop1Click() {
    SetStaysOnTop(Stayontop1->isChecked());
    SaveChoices();
}

void TFrmMain::Exit1Click() {
    close();
}

void TFrmMain::showEvent(QShowEvent* event) {
    QScrollArea::showEvent(event);
    if (event->spontaneous()) return;
    FormShow();
    UpdateMinimumSize();
    if (!shownBefore_) PlaceAtFirstShow();
    shownBefore_ = true;
}

void TFrmMain::closeEvent(QCloseEvent* event) {
    QScrollArea::closeEvent(event);
    if (!event->isAccepted()) return;
    placementTimer_->stop();
    SaveChoices();
    emit Closed();
}

void TFrmMain::moveEvent(QMoveEvent* event) {
    QScrollArea::moveEvent(event);
    UpdateMinimumSize();
    SnapToEdges();
    if (settings_ && shownBefore_) placementTimer_->start();
}

void TFrmMain::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    UpdateLineIncrement();
}

void TFrmMain::changeEvent(QEvent* event) {
    QScrollArea::changeEvent(event);
    if (event->type() != QEvent::LocaleChange) return;
    DiskUtils::LoadNumberSeparators();
    ListBox1->update();
}

// One line increment per wheel event whatever its size, like the window's own scroll bar.
void TFrmMain::wheelEvent(QWheelEvent* event) {
    FormMouseWheel(event->angleDelta().y());
    event->accept();
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
