#include "DriveTypeNames.h"

#include <QCoreApplication>
#include <algorithm>
#include <iterator>

namespace {

// The probe keeps these in English for the command-line tool, whose output scripts read.
constexpr const char* kKnownTexts[] = {
    QT_TRANSLATE_NOOP("DriveType", "Unknow"),
    QT_TRANSLATE_NOOP("DriveType", "Local drive"),
    QT_TRANSLATE_NOOP("DriveType", "Removable drive"),
    QT_TRANSLATE_NOOP("DriveType", "Network drive"),
    QT_TRANSLATE_NOOP("DriveType", "CD/DVD rom"),
    QT_TRANSLATE_NOOP("DriveType", "RAM disk"),
};

}  // namespace

std::string DriveTypeName(const std::string& probeText) {
    const auto known = std::find(std::begin(kKnownTexts), std::end(kKnownTexts), probeText);
    if (known == std::end(kKnownTexts)) return probeText;
    return QCoreApplication::translate("DriveType", *known).toStdString();
}
