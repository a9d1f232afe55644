#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "DiskUtils.h"
#include "HistoryChart.h"
#include "HistoryStore.h"

class QComboBox;
class QKeyEvent;
class QLabel;

struct HistoryFigures {
    std::vector<history::Sample> samples;
    std::vector<history::HourlyFigure> hourly;
};

// Reads a drive's history since a time; nullopt when it cannot be read. Tests hand in their
// own history.
using HistorySource =
    std::function<std::optional<HistoryFigures>(const history::DriveKey&, std::int64_t since)>;

// The chart itself, painted by the program's own painter.
class THistoryChart : public QWidget {
    Q_OBJECT

public:
    explicit THistoryChart(QWidget* parent);
    void SetContent(historyview::ChartData data, historyview::ChartTexts texts);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    historyview::ChartData data_;
    historyview::ChartTexts texts_;
};

// One drive's used and free space over the span the user picks, with the forecast; a window
// of its own beside the main window, like the information window.
class TFrmHistory : public QWidget {
    Q_OBJECT

public:
    using Clock = std::function<std::int64_t()>;

    // Byte counts read in `display`; the main window hands in its choices as they change.
    TFrmHistory(QWidget* mainWindow, HistorySource source, Clock clock,
                DiskUtils::DisplayOptions display = {});

    void ShowDrive(const QString& name, const history::DriveKey& key);
    const history::DriveKey& Drive() const { return key_; }
    // A drive that went away keeps its history on screen, marked as absent.
    void SetPresent(bool present);
    void SetDisplayOptions(const DiskUtils::DisplayOptions& display);
    QString Summary() const;

    QComboBox* SpanBox;
    THistoryChart* Chart;
    QLabel* SummaryLabel;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Refill();
    QString SummaryOf(const historyview::ChartData& data) const;
    QString ByteText(std::int64_t bytes) const;

    HistorySource source_;
    Clock clock_;
    DiskUtils::DisplayOptions display_;
    QString name_;
    history::DriveKey key_;
    bool present_ = true;
};
