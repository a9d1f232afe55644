#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>

#include "MainForm.h"
#include "OwnerDrawList.h"
#include "WindowGeometry.h"

namespace {

constexpr int kMinimumOuterWidth = 369;
constexpr int kMinimumOuterHeight = 108;
constexpr int kSnapDistance = 15;

}  // namespace

void TFrmMain::SetClientSize(int width, int height) {
    resize(width, height);
}

// The limits are for the outer window; Qt applies them to the client area, so the frame
// is taken off once the window system has told us how thick it is.
void TFrmMain::UpdateMinimumSize() {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    setMinimumSize(std::max(kMinimumOuterWidth - (frame.width() - client.width()), 0),
                   std::max(kMinimumOuterHeight - (frame.height() - client.height()), 0));
}

void TFrmMain::UpdateLineIncrement() {
    verticalScrollBar()->setSingleStep(std::max(WheelLineIncrement(viewport()->height()), 1));
}

void TFrmMain::CentreOnScreen() {
    const QRect area = screen()->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + (area.height() - outer.height()) / 2);
}

void TFrmMain::SnapToEdges() {
    if (snapping_ || !isVisible() || session_.waylandWindow) return;
    const QRect frame = frameGeometry();
    const QPoint snapped = SnapToWorkArea(frame, screen()->availableGeometry(), kSnapDistance);
    if (snapped == frame.topLeft()) return;
    snapping_ = true;
    move(snapped);
    snapping_ = false;
}

// Changing the flags through QWidget would recreate and hide the window (and run FormShow
// again on showing it); the platform window takes the on-top state in place.
void TFrmMain::SetStaysOnTop(bool onTop) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle()) window->setFlags(flags);
    if (!onTop) return;
    raise();
    activateWindow();
}

QColor TFrmMain::RowBrush(bool selected) const {
    return ListBox1->palette().color(selected ? QPalette::Highlight : QPalette::Base);
}
