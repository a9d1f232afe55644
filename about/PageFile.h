#pragma once

#include <QByteArray>
#include <QString>

// The page file next to the executable. It may be a file the user keeps under that name, so
// nothing here overwrites or removes anything but a byte-for-byte copy of our own page.

// Writes `page` to `path` unless an entry of that name exists. Throws std::runtime_error
// "Cannot create file "<path>". <reason>" when it cannot be written; no partial file stays.
void WritePageFileUnlessPresent(const QString& path, const QByteArray& page);

// Deletes `path` when it is a regular file holding exactly `page`. Failures are ignored.
void RemovePageFileIfOurs(const QString& path, const QByteArray& page);
