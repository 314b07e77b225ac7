#include "DisplayPlatform.h"

#include <algorithm>
#include <cstdlib>

namespace palette {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool ShouldUseXWayland(const SessionFacts& facts)
{
    const bool wayland = facts.sessionType == "wayland" || !facts.waylandDisplay.empty();
    // Qt takes both -platform and --platform.
    const bool platformChosen =
        !facts.qtPlatform.empty()
        || std::any_of(facts.arguments.begin(), facts.arguments.end(), [](const std::string& argument) {
               return argument == "-platform" || argument == "--platform";
           });
    return wayland && !facts.x11Display.empty() && !platformChosen;
}

SessionFacts CurrentSession(int argc, char** argv)
{
    SessionFacts facts{Environment("XDG_SESSION_TYPE"),
                       Environment("WAYLAND_DISPLAY"),
                       Environment("DISPLAY"),
                       Environment("QT_QPA_PLATFORM"),
                       {}};
    for (int i = 1; i < argc; ++i)
        facts.arguments.emplace_back(argv[i]);
    return facts;
}

} // namespace palette
