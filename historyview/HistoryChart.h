#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "HistoryStore.h"

class QPainter;
class QRectF;

// One drive's used and free space over a span, and the forecast drawn on from its end.
namespace historyview {

enum class Span { Day, Week, Month, Year };

std::int64_t SecondsOf(Span span);

struct ChartPoint {
    std::int64_t time = 0;
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
};

struct ChartData {
    std::int64_t from = 0;
    std::int64_t to = 0;  // now
    std::vector<ChartPoint> points;
    // When free space reaches zero at the forecast's trend.
    std::optional<std::int64_t> fullAt;
};

// Raw samples where the span lies within the raw ones' reach (they reach back further than
// a week), hourly figures (the last free value of each hour) beyond; sorted by time, samples
// from before the clock was set back left out.
ChartData ChartDataOf(const std::vector<history::Sample>& samples,
                      const std::vector<history::HourlyFigure>& hourly, Span span, std::int64_t now,
                      std::optional<std::int64_t> fullInSeconds);

// The right end of the time axis: now, or the day the drive fills when that comes within
// another span.
std::int64_t RightEndOf(const ChartData& data);

struct ChartLook {
    QColor background{255, 255, 255};
    QColor grid{210, 210, 210};
    QColor used{70, 110, 190};
    QColor free{150, 200, 140};
    QColor forecast{200, 40, 40};
    QColor text{0, 0, 0};
};

// The axes' words come in as they are shown: `topText` the largest size, `fromText` and
// `toText` the span's ends.
struct ChartTexts {
    QString topText;
    QString fromText;
    QString toText;
};

// Draws in logical pixels; a painter on a 2x image draws the same picture at twice the
// resolution, lines and text included.
void PaintHistoryChart(QPainter& painter, const QRectF& area, const ChartData& data,
                       const ChartTexts& texts, const ChartLook& look = {});

}  // namespace historyview
