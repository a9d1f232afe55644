#include "InfosForm.h"

#include <QBuffer>
#include <QFrame>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <stdexcept>

#include "DriveTypeNames.h"
#include "EmbeddedData.h"
#include "ImageDecode.h"
#include "InfoTexts.h"
#include "InfosLayout.h"

using namespace InfosLayout;

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;
constexpr QSize kClientSize{366, 185};
constexpr QPoint kDesignPosition{618, 120};
constexpr Qt::Alignment kRight = Qt::AlignRight;

}  // namespace

TFrmDiskInfo::TFrmDiskInfo(QWidget* mainWindow)
    : QWidget(mainWindow, kWindowFlags), mainWindow_(mainWindow) {
    setWindowTitle(tr("Informations du disque"));
    setFont(WindowFont());
    setFixedSize(kClientSize);
    move(kDesignPosition);
    KeepReadable(this);
    BuildHeader();
    BuildCapacities();
    BuildVolume();
    TieCaptionsToValues();
    const int lefts[] = {150, 185, 220, 255, 290, 325};
    for (std::size_t i = 0; i < IconStore.size(); ++i) {
        const QPoint at(lefts[i], i == 0 ? 220 : 219);
        IconStore[i] = MakeImage(this, at, QStringLiteral("IDT%1").arg(i + 1));
        IconStore[i]->setAccessibleName(IconStore[i]->objectName());
    }
}

TFrmDiskInfo::~TFrmDiskInfo() = default;

void TFrmDiskInfo::BuildHeader() {
    const QColor white(Qt::white);
    Panel2 = MakePanel(this, QRect(5, 5, 356, 41), &white);
    Image1 = MakeImage(Panel2, QPoint(5, 5), QStringLiteral("Image1"));
    Label9 = MakeFixedLabel(Panel2, QRect(40, 15, 311, 13), Qt::AlignHCenter,
                            QStringLiteral("(unnamed drive)"));
    Label9->setFont(HeaderFont());
    QPalette palette = Label9->palette();
    palette.setColor(QPalette::WindowText, kHighlight);
    Label9->setPalette(palette);
}

void TFrmDiskInfo::BuildCapacities() {
    Panel1 = MakePanel(this, QRect(5, 50, 356, 66), nullptr);
    const QString noBytes = QStringLiteral("0 Bytes");
    const QString noPercent = QStringLiteral("0 %");
    Label1 = MakeCaption(Panel1, QPoint(5, 5), tr("Повний об'єм"));
    Label4 = MakeFixedLabel(Panel1, QRect(90, 5, 186, 13), kRight, noBytes);
    Label2 = MakeCaption(Panel1, QPoint(5, 25), tr("Вільного місця"));
    Label5 = MakeFixedLabel(Panel1, QRect(90, 25, 186, 13), kRight, noBytes);
    Label7 = MakeFixedLabel(Panel1, QRect(290, 25, 56, 13), kRight, noPercent);
    Label3 = MakeCaption(Panel1, QPoint(5, 45), tr("Корисний об'єм"));
    Label6 = MakeFixedLabel(Panel1, QRect(90, 45, 186, 13), kRight, noBytes);
    Label8 = MakeFixedLabel(Panel1, QRect(290, 45, 56, 13), kRight, noPercent);
}

void TFrmDiskInfo::BuildVolume() {
    Panel3 = MakePanel(this, QRect(5, 120, 356, 61), nullptr);
    const QString notAvailable = QStringLiteral("Not aviable");
    Label10 = MakeCaption(Panel3, QPoint(5, 3), tr("Файлова система"));
    Label11 = MakeAutoLabel(Panel3, QPoint(106, 3), notAvailable);
    Label12 = MakeCaption(Panel3, QPoint(5, 23), tr("Тип"));
    Label13 = MakeAutoLabel(Panel3, QPoint(106, 23), QStringLiteral("Unknow"));
    Label14 = MakeCaption(Panel3, QPoint(5, 43), tr("Номер і серія"));
    Label15 = MakeAutoLabel(Panel3, QPoint(106, 43), notAvailable);
}

// Screen readers announce each value with its caption; the labels carry no mnemonic, so the
// buddies change nothing else.
void TFrmDiskInfo::TieCaptionsToValues() {
    Label1->setBuddy(Label4);
    Label2->setBuddy(Label5);
    Label3->setBuddy(Label6);
    Label10->setBuddy(Label11);
    Label12->setBuddy(Label13);
    Label14->setBuddy(Label15);
    Label7->setAccessibleName(Label2->text() + QStringLiteral(" %"));
    Label8->setAccessibleName(Label3->text() + QStringLiteral(" %"));
}

// Decoding an icon loads Qt's image plugins, which only a window being shown needs: the icons
// are checked here and decoded when the window is first filled.
void TFrmDiskInfo::FormCreate() {
    Disk = std::make_unique<DiskUtils::TDisk>();
    for (const QLabel* image : IconStore) {
        CheckStoreIcon(image);
        ++iconsToLoad_;
    }
}

void TFrmDiskInfo::CheckStoreIcon(const QLabel* image) const {
    const QString name = image->objectName();
    const std::optional<QByteArray> data = EmbeddedData(name);
    if (!data) throw std::runtime_error(tr("Resource %1 not found").arg(name).toStdString());
    if (!LooksLikeIcon(*data))
        throw std::runtime_error(tr("Icon image is not valid").toStdString());
}

// An icon that passed the check and still cannot be decoded stays empty. The reader is told
// the format and not to guess, so that only the icon plugin is loaded, not every image plugin.
void TFrmDiskInfo::LoadCheckedIcons() {
    for (std::size_t i = 0; i < iconsToLoad_; ++i) {
        std::optional<QByteArray> data = EmbeddedData(IconStore[i]->objectName());
        if (!data) continue;
        QBuffer buffer(&*data);
        QImageReader reader(&buffer, "ico");
        reader.setAutoDetectImageFormat(false);
        const QImage icon = reader.read();
        if (!icon.isNull()) IconStore[i]->setPixmap(QPixmap::fromImage(icon));
    }
    iconsToLoad_ = 0;
}

void TFrmDiskInfo::ShowTypeIcon(std::uint32_t driveType) {
    if (driveType < 1 || driveType > IconStore.size()) return;
    Image1->setPixmap(IconStore[driveType - 1]->pixmap());
}

void TFrmDiskInfo::FormShow() {
    // Nothing to show before FormCreate made the probe or after FormDestroy freed it.
    if (!Disk) return;
    LoadCheckedIcons();
    ShowTypeIcon(Disk->DriveType);
    const DiskInfoTexts texts =
        MakeDiskInfoTexts(*Disk, DiskUtils::GetFileSystemFlags(Disk->DriveLetter));
    Image1->setAccessibleName(QString::fromStdString(DriveTypeName(*Disk)));
    Label9->setText(QString::fromStdString(texts.Header));
    Label4->setText(QString::fromStdString(texts.Total));
    Label5->setText(QString::fromStdString(texts.Free));
    Label6->setText(QString::fromStdString(texts.Used));
    Label7->setText(QString::fromStdString(texts.FreePercent));
    Label8->setText(QString::fromStdString(texts.UsedPercent));
    SetAutoText(Label11, QString::fromStdString(texts.FileSystem));
    SetAutoText(Label13, QString::fromStdString(texts.Type));
    SetAutoText(Label15, QString::fromStdString(texts.Serial));
}

void TFrmDiskInfo::FormDestroy() {
    Disk.reset();
}

void TFrmDiskInfo::CentreOverMainWindow() {
    QRect frame = frameGeometry();
    const QRect screenArea = screen()->availableGeometry();
    frame.moveCenter(mainWindow_ ? mainWindow_->frameGeometry().center() : screenArea.center());
    const int x = std::clamp(frame.x(), screenArea.left(),
                             std::max(screenArea.left(), screenArea.right() + 1 - frame.width()));
    const int y = std::clamp(frame.y(), screenArea.top(),
                             std::max(screenArea.top(), screenArea.bottom() + 1 - frame.height()));
    move(x, y);
}

// The window has no buttons to take the key, so Escape is handled here as dialogs do.
void TFrmDiskInfo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFrmDiskInfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window system also sends show events of its own (e.g. when a minimised main window
    // is restored); only a change from hidden to shown refills the window.
    if (event->spontaneous()) return;
    if (!shownBefore_) {
        CentreOverMainWindow();
        shownBefore_ = true;
    }
    FormShow();
}
