#include "Unit1.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <exception>

#include "ResourceImage.h"

namespace {

constexpr QSize kClientSize{512, 384};

}  // namespace

TAboutBox::TAboutBox()
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint), Image1(new QLabel(this)) {
    setWindowTitle(tr("11111"));
    Image1->setGeometry(QRect(QPoint(0, 0), kClientSize));
    Image1->installEventFilter(this);
    try {
        picture_.LoadFromResourceOnDemand(QStringLiteral("ABOUTBOX"));
        Image1->resize(picture_.Width(), picture_.Height());
    } catch (const std::exception&) {
        // The picture is part of the build; without it the box (which the program never
        // shows) stays blank at its design size rather than stopping the start-up.
    }
    setFixedSize(Image1->size());
}

void TAboutBox::showEvent(QShowEvent* event) {
    if (Image1->pixmap().isNull() && picture_.Width() > 0) {
        Image1->setPixmap(QPixmap::fromImage(picture_.ColorSurface()));
        picture_ = ResourceImage();
    }
    QDialog::showEvent(event);
}

void TAboutBox::Image1Click() {
    if (isModal() && isVisible()) {
        done(kModalCancel);
        return;
    }
    hide();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// A dialog's own Escape would end a modal showing with 0; the box answers Escape like a click.
void TAboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Image1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}
