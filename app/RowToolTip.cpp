#include "RowToolTip.h"

#include <QCoreApplication>

#include "InfoTexts.h"

namespace {

QString Bytes(std::int64_t bytes) {
    return QString::fromStdString(ByteCountText(bytes));
}

}  // namespace

QString RowToolTip(const DiskUtils::TDisk& probe) {
    return QCoreApplication::translate("RowToolTip", "%1\nTotal: %2\nFree: %3\nUsed: %4")
        .arg(QString::fromStdString(probe.VolumeName), Bytes(probe.TotalBytes),
             Bytes(probe.FreeBytes), Bytes(probe.UsedBytes));
}
