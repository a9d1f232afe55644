#include "SpaceForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "OwnerDrawList.h"
#include "WarningTexts.h"

using folderview::FolderRow;
using Kind = folderview::RowKind;

namespace {

constexpr int kPollMilliseconds = 100;
constexpr int kListsHeight = 480;
constexpr QSize kWindowSize(900, 600);
constexpr int kBarSteps = 1000;
constexpr std::int64_t kDay = 24 * 3600;
// "since yesterday", "a week", "a month", in the order of the box.
constexpr std::int64_t kSinceSeconds[] = {kDay, 7 * kDay, 30 * kDay};

folderview::Direction DirectionOf(const FolderRow& row) {
    if (!row.changeBytes || *row.changeBytes == 0) return folderview::Direction::none;
    return *row.changeBytes > 0 ? folderview::Direction::grew : folderview::Direction::shrank;
}

// Backspace or Alt+Up: the folder above, as file managers have it.
bool IsUpKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Backspace && modifiers == Qt::NoModifier) ||
           (event.key() == Qt::Key_Up && modifiers == Qt::AltModifier);
}

std::int64_t Signed(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(bytes, INT64_MAX));
}

}  // namespace

TFrmSpace::TFrmSpace(QWidget* mainWindow, folderview::SnapshotSource source, Clock clock,
                     DiskUtils::DisplayOptions display)
    : QWidget(mainWindow, Qt::Window),
      source_(std::move(source)),
      clock_(std::move(clock)),
      display_(std::move(display)),
      poll_(new QTimer(this)) {
    BuildLayout();
    BuildMap();
    poll_->setInterval(kPollMilliseconds);
    connect(poll_, &QTimer::timeout, this, &TFrmSpace::PollScans);
}

TFrmSpace::~TFrmSpace() = default;

void TFrmSpace::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* pathRow = new QHBoxLayout;
    PathLabel = new QLabel(this);
    PathLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PathLabel->setAccessibleDescription(tr("Тека"));
    UpButton = new QPushButton(tr("Вгору"), this);
    OpenButton = new QPushButton(tr("Відкрити теку"), this);
    pathRow->addWidget(PathLabel, 1);
    pathRow->addWidget(UpButton);
    pathRow->addWidget(OpenButton);
    layout->addLayout(pathRow);

    auto* snapshotRow = new QHBoxLayout;
    SinceBox = new QComboBox(this);
    SinceBox->addItems({tr("з учора"), tr("за тиждень"), tr("за місяць")});
    SinceBox->setAccessibleName(tr("Зміна"));
    AgeLabel = new QLabel(this);
    AgeLabel->setWordWrap(true);
    RescanButton = new QPushButton(tr("Пересканувати"), this);
    snapshotRow->addWidget(SinceBox);
    snapshotRow->addWidget(AgeLabel, 1);
    snapshotRow->addWidget(RescanButton);
    layout->addLayout(snapshotRow);

    ScanPanel = new QWidget(this);
    auto* scanLayout = new QGridLayout(ScanPanel);
    scanLayout->setContentsMargins(0, 0, 0, 0);
    ScanBar = new QProgressBar(ScanPanel);
    ScanBar->setAccessibleName(tr("Сканування"));
    ScanLabel = new QLabel(ScanPanel);
    ScanFolderLabel = new QLabel(ScanPanel);
    ScanFolderLabel->setMinimumWidth(1);
    CancelButton = new QPushButton(tr("Скасувати"), ScanPanel);
    scanLayout->addWidget(ScanBar, 0, 0);
    scanLayout->addWidget(CancelButton, 0, 1);
    scanLayout->addWidget(ScanLabel, 1, 0, 1, 2);
    scanLayout->addWidget(ScanFolderLabel, 2, 0, 1, 2);
    ScanPanel->hide();
    layout->addWidget(ScanPanel);

    StatusLabel = new QLabel(this);
    StatusLabel->setWordWrap(true);
    StatusLabel->hide();
    layout->addWidget(StatusLabel);

    Splitter = new QSplitter(Qt::Horizontal, this);
    auto* lists = new QSplitter(Qt::Vertical, Splitter);
    RowsArea = new QScrollArea(lists);
    Rows = new TOwnerDrawList(folderview::kFolderRowWidth, folderview::FolderRowHeight(font()));
    Rows->setAccessibleName(tr("Теки"));
    RowsArea->setWidget(Rows);
    RowsArea->setWidgetResizable(false);
    RowsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RowsArea->setMinimumWidth(folderview::kFolderRowWidth + 2 * RowsArea->frameWidth() +
                              RowsArea->verticalScrollBar()->sizeHint().width());
    RowsArea->setFocusProxy(Rows);
    auto* filesPart = new QWidget(lists);
    auto* filesLayout = new QVBoxLayout(filesPart);
    filesLayout->setContentsMargins(0, 0, 0, 0);
    auto* filesTitle = new QLabel(tr("Найбільші файли"), filesPart);
    FilesList = new QTreeWidget(filesPart);
    FilesList->setRootIsDecorated(false);
    FilesList->setHeaderLabels({tr("Розмір"), tr("Файл")});
    FilesList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FilesList->setAccessibleName(filesTitle->text());
    filesTitle->setBuddy(FilesList);
    filesLayout->addWidget(filesTitle);
    filesLayout->addWidget(FilesList);
    lists->addWidget(RowsArea);
    lists->addWidget(filesPart);
    RowsArea->setMinimumHeight(4 * folderview::FolderRowHeight(font()));
    lists->setStretchFactor(0, 3);
    lists->setStretchFactor(1, 1);
    lists->setSizes({3 * kListsHeight / 4, kListsHeight / 4});
    MapHolder = new QWidget(Splitter);
    auto* mapLayout = new QVBoxLayout(MapHolder);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    Splitter->addWidget(lists);
    Splitter->addWidget(MapHolder);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    layout->addWidget(Splitter, 1);

    Rows->SetDrawItem(
        [this](int index, QImage& row, bool selected) { DrawRow(index, row, selected); });
    Rows->SetAccessibleText([this](int index) { return AccessibleTextOf(index); });
    Rows->SetToolTip([this](int index) { return RowToolTip(index); });
    connect(Rows, &TOwnerDrawList::ItemActivated, this, &TFrmSpace::GoInto);
    connect(Rows, &TOwnerDrawList::DblClick, this, [this] { GoInto(Rows->ItemIndex()); });
    connect(Rows, &TOwnerDrawList::SelectionChanged, this, &TFrmSpace::SelectedRowChanged);
    connect(Rows, &TOwnerDrawList::KeyboardSelected, this, [this](int index) {
        const QRect row = Rows->RowRect(index);
        RowsArea->ensureVisible(row.center().x(), row.center().y(), 0, row.height() / 2);
    });
    connect(UpButton, &QPushButton::clicked, this, &TFrmSpace::GoUp);
    connect(OpenButton, &QPushButton::clicked, this, &TFrmSpace::OpenFolder);
    connect(RescanButton, &QPushButton::clicked, this, &TFrmSpace::Rescan);
    connect(CancelButton, &QPushButton::clicked, this, &TFrmSpace::CancelScan);
    connect(SinceBox, &QComboBox::currentIndexChanged, this, [this] {
        ChooseComparison();
        Refill();
    });
    Rows->installEventFilter(this);
    setFocusProxy(Rows);
    // Never larger than the screen, which at 200 % may be a small one.
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    resize(std::min(kWindowSize.width(), room.width()),
           std::min(kWindowSize.height(), room.height()));
}

void TFrmSpace::ShowDrive(const QString& name, const history::DriveSample& drive) {
    const bool same =
        drive.key.serial == drive_.key.serial && drive.key.mountPoint == drive_.key.mountPoint;
    name_ = name;
    if (same && Scanning()) {
        UpdateTexts();
        return;
    }
    Retire();
    drive_ = drive;
    tree_.reset();
    changes_.reset();
    unexplained_.reset();
    entries_.clear();
    path_.clear();
    StatusLabel->hide();
    LoadNewest();
    if (!tree_) StartScan();
    Rows->setFocus();
}

void TFrmSpace::SetDisplayOptions(const DiskUtils::DisplayOptions& display) {
    if (display == display_) return;
    display_ = display;
    Refill();
}

void TFrmSpace::LoadNewest() {
    const auto entries = source_.list ? source_.list(drive_.key) : std::nullopt;
    entries_ = entries.value_or(std::vector<history::SnapshotEntry>{});
    std::optional<history::Snapshot> newest;
    if (const auto index = folderview::NewestWhole(entries_))
        newest = source_.load(entries_[*index].id);
    if (!newest) {
        Refill();
        return;
    }
    ShowSnapshot(std::move(*newest));
}

void TFrmSpace::ShowSnapshot(history::Snapshot snapshot) {
    tree_.emplace(std::move(snapshot));
    // After a rescan the folder being looked at stays on screen while it is still there.
    if (!tree_->Find(path_)) path_.clear();
    ChooseComparison();
    Refill();
}

void TFrmSpace::ChooseComparison() {
    changes_.reset();
    comparedTime_.reset();
    if (!tree_) return;
    const auto earlier =
        folderview::EarlierWhole(entries_, tree_->Snapshot().time,
                                 kSinceSeconds[std::clamp(SinceBox->currentIndex(), 0, 2)]);
    if (!earlier) return;
    const auto before = source_.load(entries_[*earlier].id);
    if (!before) return;
    changes_.emplace(history::GrowthBetween(*before, tree_->Snapshot()));
    comparedTime_ = before->time;
}

void TFrmSpace::Refill() {
    rows_.clear();
    if (tree_) {
        if (const auto folder = tree_->Find(path_))
            rows_ = folderview::RowsOf(*tree_, *folder, changes_ ? &*changes_ : nullptr);
        if (path_.empty() && unexplained_)
            folderview::AddUnexplained(
                rows_, *unexplained_,
                static_cast<std::uint64_t>(std::max<std::int64_t>(drive_.totalBytes, 0)));
    }
    Rows->SetCount(static_cast<int>(rows_.size()));
    FillFiles();
    UpdateTexts();
    emit ShownChanged();
}

void TFrmSpace::FillFiles() {
    FilesList->clear();
    if (!tree_) return;
    const std::string prefix = path_.empty() ? std::string() : path_ + "/";
    for (const scan::File& file : folderview::FilesWithin(tree_->Snapshot(), path_)) {
        auto* item = new QTreeWidgetItem(FilesList);
        item->setText(0, ByteText(file.allocatedBytes));
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(1, QString::fromStdString(file.path.substr(prefix.size())));
        item->setToolTip(1, AbsolutePath(file.path));
    }
}

void TFrmSpace::UpdateTexts() {
    setWindowTitle(tr("Що займає місце на %1").arg(name_));
    PathLabel->setText(AbsolutePath(path_));
    UpButton->setEnabled(!path_.empty());
    RescanButton->setEnabled(!Scanning());
    if (!tree_) {
        AgeLabel->setText(Scanning() ? tr("Знімків ще немає: диск сканується")
                                     : tr("Знімків ще немає"));
        return;
    }
    const std::int64_t now = clock_();
    const auto ago = [&](std::int64_t time) {
        return now - time < 60 ? tr("щойно") : tr("%1 тому").arg(DurationText(now - time));
    };
    const QString taken = tr("Знімок %1").arg(ago(tree_->Snapshot().time));
    AgeLabel->setText(comparedTime_
                          ? tr("%1, порівняно зі знімком %2").arg(taken, ago(*comparedTime_))
                          : tr("%1; раніших знімків для порівняння немає").arg(taken));
}

void TFrmSpace::Rescan() {
    if (!Scanning()) StartScan();
}

void TFrmSpace::StartScan() {
    scan_ = std::make_unique<folderview::SpaceScan>(drive_, source_.record, clock_);
    StatusLabel->hide();
    ScanBar->setRange(0, drive_.totalBytes > drive_.freeBytes ? kBarSteps : 0);
    ScanBar->setValue(0);
    ScanLabel->clear();
    ScanFolderLabel->clear();
    ScanPanel->show();
    poll_->start();
    UpdateTexts();
}

void TFrmSpace::CancelScan() {
    if (!scan_) return;
    Retire();
    StatusLabel->setText(tr("Сканування скасовано"));
    StatusLabel->show();
    UpdateTexts();
}

// The scan is told to stop and kept until its thread ends, so no window ever waits for a disk.
void TFrmSpace::Retire() {
    if (!scan_) return;
    scan_->Cancel();
    retired_.push_back(std::move(scan_));
    ScanPanel->hide();
}

void TFrmSpace::PollScans() {
    std::erase_if(retired_, [](const auto& scan) { return scan->Done(); });
    if (scan_) {
        const scan::ScanProgress& progress = scan_->Progress();
        const std::int64_t used = drive_.totalBytes - drive_.freeBytes;
        if (ScanBar->maximum() > 0 && used > 0)
            ScanBar->setValue(static_cast<int>(std::min<std::int64_t>(
                kBarSteps,
                Signed(progress.Bytes()) / std::max<std::int64_t>(used / kBarSteps, 1))));
        ScanLabel->setText(
            tr("%1 записів, %2")
                .arg(QString::fromStdString(DiskUtils::CountText(Signed(progress.Entries()))),
                     ByteText(progress.Bytes())));
        const QString folder = QString::fromStdString(progress.Folder());
        ScanFolderLabel->setText(ScanFolderLabel->fontMetrics().elidedText(
            folder, Qt::ElideMiddle, ScanFolderLabel->width()));
        ScanFolderLabel->setToolTip(folder);
        if (scan_->Done()) {
            auto done = std::move(scan_);
            Finish(done->TakeOutcome());
        }
    }
    if (!scan_ && retired_.empty()) poll_->stop();
}

void TFrmSpace::Finish(folderview::ScanOutcome outcome) {
    ScanPanel->hide();
    QString status;
    if (outcome.cancelled) status = tr("Сканування скасовано");
    if (outcome.scanError)
        status =
            tr("Не вдалося просканувати диск: %1").arg(QString::fromStdString(*outcome.scanError));
    if (outcome.recordError)
        status = tr("Знімок не збережено в історії: %1")
                     .arg(QString::fromStdString(*outcome.recordError));
    StatusLabel->setText(status);
    StatusLabel->setVisible(!status.isEmpty());
    if (outcome.snapshot) {
        entries_ = source_.list ? source_.list(drive_.key).value_or(entries_) : entries_;
        unexplained_ = std::move(outcome.unexplained);
        ShowSnapshot(std::move(*outcome.snapshot));
    } else {
        UpdateTexts();
    }
}

void TFrmSpace::GoInto(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !rows_[row].enterable) return;
    path_ = rows_[row].path;
    Refill();
    Rows->SetItemIndex(0);
}

void TFrmSpace::GoUp() {
    if (path_.empty()) return;
    const std::string from = path_;
    path_ = folderview::ParentPath(path_);
    Refill();
    const auto came = std::find_if(rows_.begin(), rows_.end(), [&](const FolderRow& row) {
        return row.kind == Kind::folder && row.path == from;
    });
    if (came != rows_.end()) SelectRow(static_cast<int>(came - rows_.begin()));
}

void TFrmSpace::OpenFolder() {
    const int selected = SelectedRow();
    const bool folderRow = selected >= 0 && rows_[selected].kind == Kind::folder;
    const QString folder = AbsolutePath(folderRow ? rows_[selected].path : path_);
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) return;
    StatusLabel->setText(tr("Не вдалося відкрити теку %1").arg(folder));
    StatusLabel->show();
}

void TFrmSpace::SelectRow(int row) {
    Rows->SetItemIndex(row);
    if (Rows->ItemIndex() < 0) return;
    const QRect rect = Rows->RowRect(row);
    RowsArea->ensureVisible(rect.center().x(), rect.center().y(), 0, rect.height() / 2);
}

int TFrmSpace::SelectedRow() const {
    const int index = Rows->ItemIndex();
    return index < static_cast<int>(rows_.size()) ? index : -1;
}

QString TFrmSpace::ByteText(std::uint64_t bytes) const {
    return QString::fromStdString(DiskUtils::ByteCountText(Signed(bytes), display_, 2));
}

QString TFrmSpace::SignedByteText(std::int64_t bytes) const {
    const QString size = QString::fromStdString(
        DiskUtils::ByteCountText(bytes < 0 ? -std::max(bytes, -INT64_MAX) : bytes, display_, 2));
    return (bytes < 0 ? QStringLiteral("−") : QStringLiteral("+")) + size;
}

// The rest is negative only when the scan found more than the file system counts.
QString TFrmSpace::RestText(std::int64_t bytes) const {
    return bytes < 0 ? SignedByteText(bytes) : ByteText(static_cast<std::uint64_t>(bytes));
}

QString TFrmSpace::ChangeText(const FolderRow& row) const {
    if (!row.changeBytes) return {};
    if (*row.changeBytes == 0) return tr("без змін");
    const QString change = SignedByteText(*row.changeBytes);
    if (!row.bytesPerDay) return change;
    const auto perDay = static_cast<std::int64_t>(std::llround(*row.bytesPerDay));
    return tr("%1 (%2 за день)").arg(change, SignedByteText(perDay));
}

folderview::FolderRowTexts TFrmSpace::TextsOf(int index) const {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return {};
    const FolderRow& row = rows_[static_cast<std::size_t>(index)];
    folderview::FolderRowTexts texts;
    texts.size = ByteText(row.allocatedBytes);
    texts.change = ChangeText(row);
    const QString files =
        tr("файлів: %1").arg(QString::fromStdString(DiskUtils::CountText(Signed(row.files))));
    switch (row.kind) {
        case Kind::folder:
            texts.name = QString::fromStdString(row.name);
            texts.files = files;
            break;
        case Kind::other:
            texts.name = tr("Файли й дрібні теки");
            texts.files = files;
            break;
        case Kind::unexplained: {
            texts.name = tr("Простір, якого не пояснює жодна тека");
            std::uint64_t open = 0;
            for (const auto& file : unexplained_->deletedOpenFiles) open += file.allocatedBytes;
            // Only the parts that hold something, so the row's line has room for them.
            QStringList parts;
            if (unexplained_->reservedBytes > 0)
                parts << tr("резерв %1").arg(ByteText(unexplained_->reservedBytes));
            if (open > 0) parts << tr("видалені відкриті %1").arg(ByteText(open));
            if (unexplained_->otherBytes != 0)
                parts << tr("решта %1").arg(RestText(unexplained_->otherBytes));
            texts.files = parts.join(QStringLiteral(", "));
            break;
        }
    }
    return texts;
}

AccessibleRowText TFrmSpace::AccessibleTextOf(int index) const {
    const folderview::FolderRowTexts texts = TextsOf(index);
    if (texts.name.isEmpty()) return {};
    QStringList parts{texts.size, texts.files};
    const auto& change = rows_[static_cast<std::size_t>(index)].changeBytes;
    if (change) parts << (*change == 0 ? texts.change : tr("зміна %1").arg(texts.change));
    return {texts.name, parts.join(QStringLiteral(", "))};
}

void TFrmSpace::DrawRow(int index, QImage& row, bool selected) const {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return;
    const FolderRow& content = rows_[static_cast<std::size_t>(index)];
    folderview::PaintFolderRow(
        row, TextsOf(index),
        {DirectionOf(content), content.share, selected, content.kind == Kind::folder},
        Rows->palette(), Rows->font());
}

QString TFrmSpace::RowToolTip(int index) const {
    if (index < 0 || index >= static_cast<int>(rows_.size())) return {};
    const FolderRow& row = rows_[static_cast<std::size_t>(index)];
    if (row.kind == Kind::folder) return AbsolutePath(row.path);
    if (row.kind == Kind::other) return {};
    QStringList lines{
        tr("Зарезервовано для адміністратора: %1").arg(ByteText(unexplained_->reservedBytes))};
    for (const space::DeletedOpenFile& file : unexplained_->deletedOpenFiles)
        lines << tr("Видалений, але відкритий у %1 (pid %2): %3, %4")
                     .arg(QString::fromStdString(file.process), QString::number(file.pid),
                          QString::fromStdString(file.path), ByteText(file.allocatedBytes));
    lines << tr("Решта (службові дані файлової системи, нечитабельні теки): %1")
                 .arg(RestText(unexplained_->otherBytes));
    return lines.join(QLatin1Char('\n'));
}

QString TFrmSpace::AbsolutePath(const std::string& relative) const {
    QString root = QString::fromStdString(drive_.key.mountPoint);
    if (relative.empty()) return root;
    if (!root.endsWith(QLatin1Char('/')) && !root.endsWith(QLatin1Char('\\')))
        root += QLatin1Char('/');
    return root + QString::fromStdString(relative);
}

void TFrmSpace::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Escape stops a running scan first, as it stops any long task, and closes the window after.
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        if (Scanning())
            CancelScan();
        else
            close();
        return;
    }
    if (IsUpKey(*event)) {
        GoUp();
        return;
    }
    if (event->key() == Qt::Key_F5 && modifiers == Qt::NoModifier) {
        Rescan();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFrmSpace::closeEvent(QCloseEvent* event) {
    CancelScan();
    StatusLabel->hide();
    QWidget::closeEvent(event);
}

// The list takes Up for itself whatever the modifiers; Alt+Up is the window's.
bool TFrmSpace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Rows && event->type() == QEvent::KeyPress &&
        IsUpKey(*static_cast<QKeyEvent*>(event))) {
        GoUp();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
