// The entry that has the desktop session start the program at log-in: an XDG autostart file
// on Linux, a value under the user's Run key on Windows.
#pragma once

#include <QString>
#include <optional>

struct AutostartPlace {
    // Linux: the desktop file; Windows: the registry key that holds the value.
    QString location;
    // The program the entry starts: the installed one, never a build folder's copy.
    QString program;
};

// This user's entry for this program.
AutostartPlace SystemAutostartPlace();

// Read from the entry itself each time, so an entry removed or switched off by other means
// shows as off.
bool AutostartEnabled(const AutostartPlace& place);

// Writes or removes the entry. On failure the reason in one line; the old entry is then left
// as it was.
std::optional<QString> SetAutostartEnabled(const AutostartPlace& place, bool enabled);
