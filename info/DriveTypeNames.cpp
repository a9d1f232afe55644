#include "DriveTypeNames.h"

#include <QCoreApplication>

// The probe keeps these in English for the command-line tool, whose output scripts read.
std::string DriveTypeName(const DiskUtils::TDisk& probe) {
    if (!probe.Present) return probe.DriveTypeText;
    const char* text = nullptr;
    switch (probe.DriveType) {
        case platform::kDriveUnknown:
            text = QT_TRANSLATE_NOOP("DriveType", "Unknow");
            break;
        case platform::kDriveNoRootDir:
        case platform::kDriveFixed:
            text = QT_TRANSLATE_NOOP("DriveType", "Local drive");
            break;
        case platform::kDriveRemovable:
            text = QT_TRANSLATE_NOOP("DriveType", "Removable drive");
            break;
        case platform::kDriveRemote:
            text = QT_TRANSLATE_NOOP("DriveType", "Network drive");
            break;
        case platform::kDriveCdRom:
            text = QT_TRANSLATE_NOOP("DriveType", "CD/DVD rom");
            break;
        case platform::kDriveRamDisk:
            text = QT_TRANSLATE_NOOP("DriveType", "RAM disk");
            break;
        default:
            return probe.DriveTypeText;
    }
    return QCoreApplication::translate("DriveType", text).toStdString();
}
