#pragma once

#include <string>
#include <vector>

namespace palette {

// What the desktop session says about its displays, and what the user chose.
struct SessionFacts {
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string x11Display;     // DISPLAY
    std::string qtPlatform;     // QT_QPA_PLATFORM
    std::vector<std::string> arguments;
};

// Whether the palette should run through XWayland. A Wayland window cannot
// ask to stay above other windows; an X11 window shown by XWayland can. Only
// when the session is Wayland, an X display is there to fall back on, and
// the user has chosen no Qt platform, neither in QT_QPA_PLATFORM nor with
// -platform.
bool ShouldUseXWayland(const SessionFacts& facts);

// The facts of this process.
SessionFacts CurrentSession(int argc, char** argv);

} // namespace palette
