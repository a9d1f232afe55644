#include "PageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

[[noreturn]] void ThrowCannotCreate(const QString& path, const QString& reason) {
    throw std::runtime_error(
        QCoreApplication::translate("TFrmAbout", "Cannot create file \"%1\". %2")
            .arg(QDir::toNativeSeparators(path), reason)
            .toStdString());
}

}  // namespace

void WritePageFileUnlessPresent(const QString& path, const QByteArray& page) {
    const QFileInfo existing(path);
    // A dangling link counts as present too: writing through it would create its target.
    if (existing.exists() || existing.isSymLink()) return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        ThrowCannotCreate(path, file.errorString());
    }
    if (file.write(page) != page.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.remove();
        ThrowCannotCreate(path, reason);
    }
}

void RemovePageFileIfOurs(const QString& path, const QByteArray& page) {
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink() || info.size() != page.size()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != page) return;
    file.close();
    file.remove();
}
