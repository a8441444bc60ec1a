#include "platform/system/graphical_session.h"

#include <cstdlib>
#include <string_view>

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// One entry of QT_QPA_PLATFORM ("xcb", "wayland-egl", "vnc:size=800x600").
bool platformCanStart(std::string_view entry, const DisplayEnvironment& environment)
{
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name == "xcb")
        return !environment.display.empty();
    if (name.starts_with("wayland"))
        return !environment.waylandDisplay.empty();
    return !name.empty();
}

} // namespace

DisplayEnvironment DisplayEnvironment::current()
{
    return {variable("DISPLAY"), variable("WAYLAND_DISPLAY"), variable("QT_QPA_PLATFORM")};
}

bool hasGraphicalSession(const DisplayEnvironment& environment)
{
    if (environment.qtPlatform.empty())
        return !environment.display.empty() || !environment.waylandDisplay.empty();
    // Qt tries the entries of a list like "wayland;xcb" in turn.
    std::string_view platforms = environment.qtPlatform;
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        if (platformCanStart(platforms.substr(0, end), environment))
            return true;
        platforms = end == std::string_view::npos ? std::string_view{} : platforms.substr(end + 1);
    }
    return false;
}

bool checkGraphicalSession(const std::string& program, const DisplayEnvironment& environment,
                           std::ostream& errors)
{
    if (hasGraphicalSession(environment))
        return true;
    errors << program << ": a graphical session is needed, but no display was found for its "
           << "window (DISPLAY and WAYLAND_DISPLAY name none that Qt would use).\n"
           << "Start " << program << " from the desktop, or without one under a virtual X server: "
           << "xvfb-run " << program << "\n";
    return false;
}
