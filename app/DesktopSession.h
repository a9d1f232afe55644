#pragma once

#include "Autostart.h"

// What the main window needs to know of the session it runs in.
struct DesktopSession {
    // A Wayland compositor places windows itself and lets a client ask for neither the
    // stay-on-top state nor a window opacity (Qt's Wayland plugin has none to set).
    bool waylandWindow = false;
    AutostartPlace autostart;
};

// The session of this process; needs the application object.
DesktopSession ThisDesktopSession();
