#include "PageFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
    // The page goes to a temporary file beside the target and takes its name only when
    // complete: a full disk leaves no truncated page behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) ThrowCannotCreate(path, file.errorString());
    // flush() first: after a failed flush (a full disk) commit() still renames the emptied
    // temporary file over the target and reports success.
    if (file.write(page) != page.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        ThrowCannotCreate(path, reason);
    }
    if (!file.commit()) ThrowCannotCreate(path, file.errorString());
}

void RemovePageFileIfOurs(const QString& path, const QByteArray& page) {
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink() || info.size() != page.size()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != page) return;
    file.close();
    file.remove();
}
