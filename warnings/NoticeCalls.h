#pragma once

#include <QDBusMessage>
#include <QString>

#include "WarningTexts.h"

// The calls to org.freedesktop.Notifications on the session bus that the window and the
// timer both make, so that their notices look the same.
namespace notices {

inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
inline const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
inline const QString kOpenAction = QStringLiteral("open");
inline const QString kMuteAction = QStringLiteral("mute");
inline const QString kSpaceAction = QStringLiteral("space");
// A server that has not answered by then is taken as hung; the notice is given up.
inline constexpr int kCallTimeoutMs = 3000;

QDBusMessage CapabilitiesCall();

// With `buttons`, "open", "don't warn for this drive" and "what takes the space"; `replaces`
// is the id of an earlier notice to replace, 0 for none. The desktop-entry hint lets a click on
// the notice bring up Vollmark where the server does that. With `markup` (the server's
// "body-markup") the body is escaped: folder names and labels may hold '<' or '&'.
QDBusMessage NotifyCall(const Notice& notice, uint replaces, bool buttons, bool markup);

}  // namespace notices
