#include "WebPane.h"

#include <QFile>

TWebPane::TWebPane(QWidget* parent) : QTextBrowser(parent) {
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setOpenExternalLinks(true);
}

bool TWebPane::Navigate(const QString& fileName) {
    QFile file(fileName);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray page = opened ? file.readAll() : QByteArray();
    const bool read = opened && file.error() == QFileDevice::NoError;
    if (read) {
        setHtml(QString::fromUtf8(page));
    } else {
        clear();
    }
    emit DocumentComplete();
    return read;
}
