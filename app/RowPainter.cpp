#include "RowPainter.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <cmath>

namespace {

constexpr int kBarLeft = 159;
constexpr int kBarTop = 22;
constexpr int kCapWidth = 10;
constexpr int kGreenLeft = kBarLeft + kCapWidth;  // 169
constexpr int kGreenMaxLength = 160;
constexpr int kRedLeft = 319;
constexpr int kRedFullLength = 190;
constexpr int kRedFullWidth = 32;
constexpr int kRightCapLeft = 351;

constexpr int kLabelLeft = 24;
constexpr int kFigureRight = 154;
constexpr int kNameLeft = 160;
constexpr int kBracketRight = 360;
constexpr int kLabelGap = 6;
constexpr int kPercentCentre = 260;
const QColor kTextColour(0, 0, 0);
const QColor kPercentColour(128, 0, 0);

const ResourceImage* Loaded(const ListImageTable& images, int index) {
    const auto& image = images[static_cast<std::size_t>(index)];
    return image && image->Width() > 0 ? image.get() : nullptr;
}

// `scale` is 1 for the 1x images on a 1x row and 2 for the 2x images on a 2x row: positions
// and widths are in row pixels and multiplied here.
void DrawImage(QImage& row, const ListImageTable& images, int index, int x, int y, int scale) {
    if (const ResourceImage* image = Loaded(images, index)) image->Draw(row, x * scale, y * scale);
}

void StretchImage(QImage& row, const ListImageTable& images, int index, int x, int width,
                  int scale) {
    if (const ResourceImage* image = Loaded(images, index))
        StretchColumn(row, image->ColorSurface(), x * scale, kBarTop * scale, width * scale);
}

void DrawUsageBarScaled(QImage& row, const ListImageTable& images, int barLength, int scale) {
    if (barLength == 0) return;
    DrawImage(row, images, liBarLeftCap, kBarLeft, kBarTop, scale);
    if (barLength > 9)
        StretchImage(row, images, liBarGreen, kGreenLeft,
                     std::min(barLength, kGreenMaxLength) - kCapWidth, scale);
    if (barLength > kGreenMaxLength)
        StretchImage(row, images, liBarRed, kRedLeft,
                     barLength <= kRedFullLength ? barLength - kGreenMaxLength : kRedFullWidth,
                     scale);
    if (barLength > kRedFullLength)
        DrawImage(row, images, liBarRightCap, kRightCapLeft, kBarTop, scale);
}

int BackgroundIndex(RowKind kind, bool selected) {
    const int plain = kind == RowKind::LocalSummary     ? liLocalRow
                      : kind == RowKind::NetworkSummary ? liNetworkRow
                                                        : liDriveRow;
    return selected ? plain + 1 : plain;
}

// Background and bar from the 2x images, pixel for pixel as at 1x, then brought to the
// row's own resolution: at 2 it is taken as it is, at any other ratio it is scaled smoothly,
// down from 2x rather than up from 1x, which keeps it sharp at 1.25 or 1.5.
QImage ArtAt2x(const ListImageTable& images2x, RowKind kind, bool selected, QColor brush,
               int barLength, QSize deviceSize) {
    QImage art(kRowWidth * 2, kRowHeight * 2, QImage::Format_RGB32);
    art.fill(brush);
    DrawImage(art, images2x, BackgroundIndex(kind, selected), 0, 0, 2);
    DrawUsageBarScaled(art, images2x, barLength, 2);
    if (art.size() == deviceSize) return art;
    // Bilinear filtering through the painter: a fraction of the cost of QImage::scaled's area
    // averaging, and the same to the eye at the mild reductions of 1.25 to 1.75.
    QImage scaled(deviceSize, QImage::Format_RGB32);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), deviceSize), art);
    return scaled;
}

// Texts are anchored at their top-left corner like GDI output; QPainter wants a baseline.
void TextAt(QPainter& painter, int left, int top, const QString& text) {
    painter.drawText(left, top + painter.fontMetrics().ascent(), text);
}

void TextRightAligned(QPainter& painter, int right, int top, const QString& text) {
    TextAt(painter, right - painter.fontMetrics().horizontalAdvance(text), top, text);
}

// Labels on Linux fall back to mount-point paths, which can run into the bracket text; only a
// label that would collide is shortened, in the middle so both ends of a path stay readable.
QString FittedLabel(const QFontMetrics& metrics, const QString& label, int room) {
    if (metrics.horizontalAdvance(label) <= room) return label;
    return metrics.elidedText(label, Qt::ElideMiddle, std::max(room, 0));
}

void DrawFigures(QPainter& painter, const RowContent& content) {
    TextAt(painter, kLabelLeft, 5, QCoreApplication::translate("RowPainter", "Total"));
    TextRightAligned(painter, kFigureRight, 4, QString::fromStdString(content.TotalText));
    TextAt(painter, kLabelLeft, 20, QCoreApplication::translate("RowPainter", "Free"));
    TextRightAligned(painter, kFigureRight, 20, QString::fromStdString(content.FreeText));
    TextAt(painter, kLabelLeft, 35, QCoreApplication::translate("RowPainter", "Used"));
    TextRightAligned(painter, kFigureRight, 35, QString::fromStdString(content.UsedText));
}

void DrawPercentage(QPainter& painter, const RowContent& content) {
    const QString text = QString::fromStdString(content.PercentText);
    painter.setPen(kPercentColour);
    TextAt(painter, kPercentCentre - painter.fontMetrics().horizontalAdvance(text) / 2, 26, text);
}

// The bracket text ends at kBracketRight in the regular face; the label gets what is left
// before it. The painter and the tooltip's question both measure through here.
int BracketLeftOf(const QString& bracket, const QFont& regular) {
    return kBracketRight - QFontMetrics(regular).horizontalAdvance(bracket);
}

int LabelRoomBefore(int bracketLeft) {
    return bracketLeft - kLabelGap - kNameLeft;
}

void LoadNamedImages(ListImageTable& images, QStringView suffix,
                     void (ResourceImage::*load)(const QString&)) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        images[i] = std::make_unique<ResourceImage>();
        (*images[i].*load)(QString::fromLatin1(ListImageNames[i]).append(suffix));
    }
}

}  // namespace

void LoadListImages(ListImageTable& images) {
    LoadNamedImages(images, {}, &ResourceImage::LoadFromResource);
}

// Most screens never draw these: they are checked here and decoded at the first scaled paint.
void LoadListImages2x(ListImageTable& images) {
    LoadNamedImages(images, u"@2x", &ResourceImage::LoadFromResourceOnDemand);
}

QImage NewRowImage() {
    return QImage(kRowWidth, kRowHeight, QImage::Format_RGB32);
}

QImage NewRowImage(qreal ratio) {
    if (qFuzzyCompare(ratio, 1.0)) return NewRowImage();
    QImage row(static_cast<int>(std::ceil(kRowWidth * ratio)),
               static_cast<int>(std::ceil(kRowHeight * ratio)), QImage::Format_RGB32);
    row.setDevicePixelRatio(ratio);
    return row;
}

void StretchColumn(QImage& target, const QImage& source, int x, int y, int width) {
    if (source.isNull() || width <= 0) return;
    const int left = std::max(x, 0);
    const int right = std::min(x + width, target.width());
    for (int r = 0; r < source.height(); ++r) {
        const int ty = y + r;
        if (ty < 0 || ty >= target.height()) continue;
        const QRgb pixel = source.pixel(0, r) | 0xff000000u;
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(ty));
        std::fill(line + left, line + std::max(left, right), pixel);
    }
}

void DrawRowBackground(QImage& row, const ListImageTable& images, RowKind kind, bool selected,
                       QColor brush) {
    row.fill(brush);
    DrawImage(row, images, BackgroundIndex(kind, selected), 0, 0, 1);
}

void DrawUsageBar(QImage& row, const ListImageTable& images, int barLength) {
    DrawUsageBarScaled(row, images, barLength, 1);
}

void DrawRowTexts(QImage& row, const RowContent& content, const QFont& listFont) {
    QPainter painter(&row);
    QFont font = listFont;
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kTextColour);
    if (!content.RowText.empty()) TextAt(painter, 4, 4, QString::fromStdString(content.RowText));
    font.setBold(false);
    const QString bracket = QString::fromStdString(content.BracketText);
    const int bracketLeft = BracketLeftOf(bracket, font);
    TextAt(painter, kNameLeft, 5,
           FittedLabel(painter.fontMetrics(), QString::fromStdString(content.Label),
                       LabelRoomBefore(bracketLeft)));
    painter.setFont(font);
    TextAt(painter, bracketLeft, 5, bracket);
    DrawFigures(painter, content);
    DrawPercentage(painter, content);
}

void PaintRow(QImage& row, const ListImageTable& images, RowKind kind, bool selected, QColor brush,
              const RowContent& content, const QFont& listFont) {
    DrawRowBackground(row, images, kind, selected, brush);
    DrawUsageBar(row, images, content.BarLength);
    DrawRowTexts(row, content, listFont);
}

// The label is measured in the bold face it is drawn in, the bracket text in the regular one.
bool LabelShortened(const RowContent& content, const QFont& listFont) {
    QFont bold = listFont;
    bold.setBold(true);
    QFont regular = listFont;
    regular.setBold(false);
    const int room =
        LabelRoomBefore(BracketLeftOf(QString::fromStdString(content.BracketText), regular));
    return QFontMetrics(bold).horizontalAdvance(QString::fromStdString(content.Label)) > room;
}

void PaintRow(QImage& row, const ListImageTable& images, const ListImageTable& images2x,
              RowKind kind, bool selected, QColor brush, const RowContent& content,
              const QFont& listFont) {
    const qreal ratio = row.devicePixelRatio();
    if (qFuzzyCompare(ratio, 1.0)) {
        PaintRow(row, images, kind, selected, brush, content, listFont);
        return;
    }
    row = ArtAt2x(images2x, kind, selected, brush, content.BarLength, row.size());
    row.setDevicePixelRatio(ratio);
    DrawRowTexts(row, content, listFont);
}
