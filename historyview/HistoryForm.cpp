#include "HistoryForm.h"

#include <QAccessible>
#include <QComboBox>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>
#include <cstdlib>

#include "DiskUtils.h"
#include "Forecast.h"
#include "WarningTexts.h"

using historyview::ChartData;
using historyview::Span;

namespace {

constexpr QSize kChartSize(360, 200);

QString DateText(std::int64_t time) {
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(time).date(), QLocale::ShortFormat);
}

}  // namespace

THistoryChart::THistoryChart(QWidget* parent) : QWidget(parent) {
    setFixedSize(kChartSize);
    setFocusPolicy(Qt::StrongFocus);
}

void THistoryChart::SetContent(ChartData data, historyview::ChartTexts texts) {
    data_ = std::move(data);
    texts_ = std::move(texts);
    update();
}

void THistoryChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintHistoryChart(painter, rect(), data_, texts_);
}

TFrmHistory::TFrmHistory(QWidget* mainWindow, HistorySource source, Clock clock,
                         DiskUtils::DisplayOptions display)
    : QWidget(mainWindow, Qt::Window),
      source_(std::move(source)),
      clock_(std::move(clock)),
      display_(std::move(display)) {
    auto* layout = new QVBoxLayout(this);
    SpanBox = new QComboBox(this);
    SpanBox->addItems({tr("Доба"), tr("Тиждень"), tr("Місяць"), tr("Рік")});
    SpanBox->setCurrentIndex(static_cast<int>(Span::Week));
    SpanBox->setAccessibleName(tr("Проміжок"));
    Chart = new THistoryChart(this);
    SummaryLabel = new QLabel(this);
    SummaryLabel->setWordWrap(true);
    SummaryLabel->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(SpanBox);
    layout->addWidget(Chart);
    layout->addWidget(SummaryLabel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(SpanBox, &QComboBox::currentIndexChanged, this, &TFrmHistory::Refill);
}

void TFrmHistory::ShowDrive(const QString& name, const history::DriveKey& key) {
    name_ = name;
    key_ = key;
    present_ = true;
    Refill();
}

void TFrmHistory::SetPresent(bool present) {
    if (present == present_) return;
    present_ = present;
    Refill();
}

void TFrmHistory::SetDisplayOptions(const DiskUtils::DisplayOptions& display) {
    if (display == display_) return;
    display_ = display;
    Refill();
}

// A byte count with the main window's unit words and separators.
QString TFrmHistory::ByteText(std::int64_t bytes) const {
    return QString::fromStdString(DiskUtils::ByteCountText(bytes, display_, 2));
}

QString TFrmHistory::Summary() const {
    return SummaryLabel->text();
}

void TFrmHistory::Refill() {
    const auto span = static_cast<Span>(SpanBox->currentIndex());
    const std::int64_t now = clock_();
    const std::int64_t since =
        now - std::max(historyview::SecondsOf(span), history::ForecastRule{}.longest.count());
    const std::optional<HistoryFigures> read = source_(key_, since);
    const HistoryFigures drive = read.value_or(HistoryFigures{});
    const auto fullIn = history::ForecastOf(drive.samples, now).fullInSeconds;
    ChartData data = historyview::ChartDataOf(drive.samples, drive.hourly, span, now, fullIn);
    std::int64_t top = 0;
    for (const auto& point : data.points) top = std::max(top, point.totalBytes);
    historyview::ChartTexts texts{data.points.empty() ? QString() : ByteText(top),
                                  DateText(data.from), DateText(historyview::RightEndOf(data))};
    const QString summary = SummaryOf(data);
    setWindowTitle(present_ ? tr("Історія диска %1").arg(name_)
                            : tr("Історія диска %1 (відсутній)").arg(name_));
    SummaryLabel->setText(summary);
    Chart->setAccessibleName(windowTitle());
    Chart->setAccessibleDescription(summary);
    Chart->SetContent(std::move(data), texts);
    QAccessibleEvent changed(Chart, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

// "Used grew 12 Go in 7 days; full in about 23 days", from the first and last points shown.
QString TFrmHistory::SummaryOf(const ChartData& data) const {
    QString summary;
    if (data.points.size() < 2) {
        summary = tr("Історії ще немає");
    } else {
        const auto& first = data.points.front();
        const auto& last = data.points.back();
        const std::int64_t grown =
            (last.totalBytes - last.freeBytes) - (first.totalBytes - first.freeBytes);
        const QString during = DurationText(last.time - first.time);
        summary =
            grown >= 0
                ? tr("Зайняте зросло на %1 за %2").arg(ByteText(grown), during)
                : tr("Зайняте зменшилося на %1 за %2").arg(ByteText(std::llabs(grown)), during);
        if (data.fullAt)
            summary = tr("%1; заповниться приблизно за %2")
                          .arg(summary, DurationText(*data.fullAt - last.time));
    }
    return present_ ? summary : tr("Диск відсутній. %1").arg(summary);
}

void TFrmHistory::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
