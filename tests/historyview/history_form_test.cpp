#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "DiskUtils.h"
#include "HistoryForm.h"
#include "QtAppEnvironment.h"

namespace {

constexpr std::int64_t kNow = 1'780'000'000;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kGB = 1'000'000'000;

// A 100 GB drive whose used space grows steadily from 40 to 52 GB over the last week, a
// sample an hour: full in 28 days at that rate.
HistoryFigures SteadyWeek() {
    HistoryFigures history;
    for (std::int64_t t = kNow - 7 * kDay; t <= kNow; t += 3600) {
        const std::int64_t used = 40 * kGB + 12 * kGB * (t - (kNow - 7 * kDay)) / (7 * kDay);
        history.samples.push_back({t, 100 * kGB, 100 * kGB - used});
    }
    return history;
}

class HistoryFormTest : public ::testing::Test {
protected:
    std::unique_ptr<TFrmHistory> Form(std::optional<HistoryFigures> history) {
        auto form = std::make_unique<TFrmHistory>(
            nullptr,
            [this, history](const history::DriveKey& key, std::int64_t since) {
                asked.push_back(since);
                EXPECT_EQ(key.mountPoint, "/data");
                return history;
            },
            [] { return kNow; }, DiskUtils::DisplayOptions{DiskUtils::suGiga});
        form->ShowDrive(QStringLiteral("D: DATA"), history::DriveKey{0x1234, "/data"});
        return form;
    }

    static QImage Chart(TFrmHistory& form, qreal ratio) {
        QImage image(form.Chart->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        form.Chart->render(&image);
        return image;
    }

    std::vector<std::int64_t> asked;
};

TEST_F(HistoryFormTest, steadyWeek_summarisesGrowthAndForecast) {
    const auto form = Form(SteadyWeek());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Історія диска D: DATA"));
    EXPECT_EQ(
        form->Summary(),
        QStringLiteral("Зайняте зросло на 12.00 Go за 7 дн.; заповниться приблизно за 28 дн."));
    EXPECT_EQ(form->Chart->accessibleDescription(), form->Summary());
    // A year asks the history for a year back.
    form->SpanBox->setCurrentIndex(3);
    EXPECT_EQ(asked.back(), kNow - 365 * kDay);
}

// The same picture at both ratios: each logical point has the same colour, and the 2x image
// has twice the pixels rather than a scaled-up 1x one.
TEST_F(HistoryFormTest, chart_isTheSamePictureAtOneAndTwoTimes) {
    const auto form = Form(SteadyWeek());
    const QImage one = Chart(*form, 1);
    const QImage two = Chart(*form, 2);
    ASSERT_EQ(two.size(), one.size() * 2);
    const historyview::ChartLook look;
    const int w = one.width(), h = one.height();
    struct Probe {
        QPoint at;
        QColor colour;
    };
    // The week takes the left third (the forecast line runs 28 days on, to another week),
    // used space is the lower half of it, free space above up to the total.
    const Probe probes[] = {
        {{w / 6, h - 30}, look.used},
        {{w / 6, 40}, look.free},
        {{w - 20, 40}, look.background},
    };
    for (const Probe& probe : probes) {
        EXPECT_EQ(one.pixelColor(probe.at), probe.colour) << probe.at.x() << "," << probe.at.y();
        EXPECT_EQ(two.pixelColor(probe.at * 2), probe.colour)
            << probe.at.x() << "," << probe.at.y();
    }
    const auto countForecast = [&](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = image.width() / 3; x < image.width(); ++x)
                if (image.pixelColor(x, y) == look.forecast) ++count;
        return count;
    };
    // The dashed line: drawn at both ratios, with about four times the pixels at 2x.
    const int forecastOne = countForecast(one), forecastTwo = countForecast(two);
    EXPECT_GT(forecastOne, 50);
    EXPECT_GT(forecastTwo, 3 * forecastOne);
}

TEST_F(HistoryFormTest, emptyUnreadableAndAbsent_sayWhy) {
    EXPECT_EQ(Form(HistoryFigures{})->Summary(), QStringLiteral("Історії ще немає"));
    EXPECT_EQ(Form(std::nullopt)->Summary(), QStringLiteral("Історії ще немає"));
    const auto form = Form(SteadyWeek());
    form->SetPresent(false);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Історія диска D: DATA (відсутній)"));
    EXPECT_TRUE(form->Summary().startsWith(QStringLiteral("Диск відсутній. Зайняте зросло")));
}

TEST_F(HistoryFormTest, escape_closesTheWindow) {
    const auto form = Form(SteadyWeek());
    form->show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &escape);
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
