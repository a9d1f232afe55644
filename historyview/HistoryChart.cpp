#include "HistoryChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace historyview {
namespace {

constexpr std::int64_t kDay = 86400;
constexpr int kTextRoom = 16;

// The part of `samples` since the clock was last set back.
std::vector<history::Sample> SinceClockJump(const std::vector<history::Sample>& samples) {
    std::size_t start = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (samples[i].time < samples[i - 1].time) start = i;
    return {samples.begin() + static_cast<std::ptrdiff_t>(start), samples.end()};
}

std::int64_t Top(const ChartData& data) {
    std::int64_t top = 0;
    for (const ChartPoint& p : data.points) top = std::max(top, p.totalBytes);
    return std::max<std::int64_t>(top, 1);
}

}  // namespace

std::int64_t RightEndOf(const ChartData& data) {
    if (!data.fullAt || *data.fullAt <= data.to) return data.to;
    return std::min(*data.fullAt, data.to + (data.to - data.from));
}

std::int64_t SecondsOf(Span span) {
    switch (span) {
        case Span::Day:
            return kDay;
        case Span::Week:
            return 7 * kDay;
        case Span::Month:
            return 30 * kDay;
        case Span::Year:
            return 365 * kDay;
    }
    return kDay;
}

ChartData ChartDataOf(const std::vector<history::Sample>& samples,
                      const std::vector<history::HourlyFigure>& hourly, Span span, std::int64_t now,
                      std::optional<std::int64_t> fullInSeconds) {
    ChartData data;
    data.to = now;
    data.from = now - SecondsOf(span);
    const auto raw = SinceClockJump(samples);
    const bool rawReaches = span == Span::Day || span == Span::Week;
    if (!rawReaches)
        for (const history::HourlyFigure& hour : hourly)
            if (hour.hour >= data.from && hour.hour <= now &&
                (raw.empty() || hour.hour < raw.front().time))
                data.points.push_back({hour.hour, hour.totalBytes, hour.freeLastBytes});
    for (const history::Sample& sample : raw)
        if (sample.time >= data.from && sample.time <= now)
            data.points.push_back({sample.time, sample.totalBytes, sample.freeBytes});
    std::stable_sort(data.points.begin(), data.points.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.time < b.time; });
    if (fullInSeconds && !data.points.empty())
        data.fullAt = data.points.back().time + *fullInSeconds;
    return data;
}

void PaintHistoryChart(QPainter& painter, const QRectF& area, const ChartData& data,
                       const ChartTexts& texts, const ChartLook& look) {
    painter.save();
    painter.fillRect(area, look.background);
    const QRectF plot = area.adjusted(4, kTextRoom, -4, -kTextRoom);
    const double right = static_cast<double>(RightEndOf(data));
    const double span = std::max(1.0, right - static_cast<double>(data.from));
    const double top = static_cast<double>(Top(data));
    const auto x = [&](std::int64_t t) {
        return plot.left() + (static_cast<double>(t - data.from) / span) * plot.width();
    };
    const auto y = [&](std::int64_t bytes) {
        return plot.bottom() - static_cast<double>(bytes) / top * plot.height();
    };

    painter.setPen(QPen(look.grid, 0));
    for (int quarter = 0; quarter <= 4; ++quarter) {
        const double gy = plot.top() + plot.height() * quarter / 4;
        painter.drawLine(QPointF(plot.left(), gy), QPointF(plot.right(), gy));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (!data.points.empty()) {
        QPainterPath total, used;
        total.moveTo(x(data.points.front().time), plot.bottom());
        used.moveTo(x(data.points.front().time), plot.bottom());
        for (const ChartPoint& p : data.points) {
            total.lineTo(x(p.time), y(p.totalBytes));
            used.lineTo(x(p.time), y(p.totalBytes - p.freeBytes));
        }
        total.lineTo(x(data.points.back().time), plot.bottom());
        used.lineTo(x(data.points.back().time), plot.bottom());
        painter.fillPath(total, look.free);
        painter.fillPath(used, look.used);
    }
    if (data.fullAt && !data.points.empty()) {
        const ChartPoint& last = data.points.back();
        const double toX = std::min(x(*data.fullAt), plot.right());
        const double fraction =
            (toX - x(last.time)) / std::max(1e-9, x(*data.fullAt) - x(last.time));
        const double usedAt = static_cast<double>(last.totalBytes - last.freeBytes) +
                              fraction * static_cast<double>(last.freeBytes);
        painter.setPen(QPen(look.forecast, 2, Qt::DashLine, Qt::FlatCap));
        painter.drawLine(QPointF(x(last.time), y(last.totalBytes - last.freeBytes)),
                         QPointF(toX, plot.bottom() - usedAt / top * plot.height()));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(look.text);
    const QRectF topRow(area.left() + 4, area.top(), area.width() - 8, kTextRoom);
    const QRectF bottomRow(area.left() + 4, area.bottom() - kTextRoom, area.width() - 8, kTextRoom);
    painter.drawText(topRow, Qt::AlignLeft | Qt::AlignVCenter, texts.topText);
    painter.drawText(bottomRow, Qt::AlignLeft | Qt::AlignVCenter, texts.fromText);
    painter.drawText(bottomRow, Qt::AlignRight | Qt::AlignVCenter, texts.toText);
    painter.restore();
}

}  // namespace historyview
