#include "ErrorReporter.h"

#include <QMessageBox>
#include <exception>

QString ErrorMessageText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + u'.';
    return message;
}

TErrorReporter::TErrorReporter(ShowMessage show, QString caption)
    : show_(std::move(show)), caption_(std::move(caption)) {}

bool TErrorReporter::Run(const std::function<void()>& handler) const {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        show_(caption_, ErrorMessageText(QString::fromUtf8(error.what())));
    } catch (...) {
        show_(caption_, ErrorMessageText(QStringLiteral("Unknown error")));
    }
    return false;
}

void ShowErrorBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.exec();
}
