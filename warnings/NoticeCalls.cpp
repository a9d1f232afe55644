#include "NoticeCalls.h"

#include <QStringList>
#include <QVariantMap>

#include "BuildInfo.h"

namespace notices {
namespace {

// Urgency "normal": critical ones stay until dismissed, which a drive that fills slowly
// does not deserve.
constexpr unsigned char kNormalUrgency = 1;

}  // namespace

QDBusMessage CapabilitiesCall() {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                          QStringLiteral("GetCapabilities"));
}

QDBusMessage NotifyCall(const Notice& notice, uint replaces, bool buttons, bool markup) {
    QStringList actions;
    if (buttons)
        actions << kOpenAction << OpenActionText() << kMuteAction << MuteActionText()
                << kSpaceAction << SpaceActionText();
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QString::fromLatin1(kApplicationId)},
                            {QStringLiteral("urgency"), QVariant::fromValue(kNormalUrgency)}};
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"))
           << QStringLiteral("Vollmark") << replaces << QString::fromLatin1(kApplicationId)
           << notice.title << (markup ? notice.body.toHtmlEscaped() : notice.body) << actions
           << hints << -1;
}

}  // namespace notices
