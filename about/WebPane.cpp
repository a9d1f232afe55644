#include "WebPane.h"

#include <QFile>
#include <QLabel>

#include "PageLayout.h"

TWebPane::TWebPane(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

bool TWebPane::Navigate(const QString& fileName) {
    QFile file(fileName);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray page = opened ? file.readAll() : QByteArray();
    const bool read = opened && file.error() == QFileDevice::NoError;
    Clear();
    if (read) Show(QString::fromUtf8(page));
    emit DocumentComplete();
    return read;
}

int TWebPane::BlockCount() const {
    return static_cast<int>(findChildren<QLabel*>(Qt::FindDirectChildrenOnly).size());
}

void TWebPane::Clear() {
    qDeleteAll(findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
}

void TWebPane::Show(const QString& html) {
    const PageLayout layout = ReadPageLayout(html);
    if (layout.Background.isValid()) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, layout.Background);
        setPalette(palette);
    }
    const QString head =
        QStringLiteral("<html><head><style>%1</style></head><body>").arg(layout.Style);
    for (const PageBlock& block : layout.Blocks) {
        auto* label = new QLabel(head + block.Html + QStringLiteral("</body></html>"), this);
        label->setTextFormat(Qt::RichText);
        label->setOpenExternalLinks(true);
        label->setAlignment((block.Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setGeometry(block.Rect);
        label->show();
    }
}
