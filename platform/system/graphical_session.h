#pragma once

#include <ostream>
#include <string>

// Whether Qt will find a display to open windows on. Without one, Qt aborts
// deep inside QApplication with a message about reinstalling; the programs
// check first and say what is missing instead.
struct DisplayEnvironment {
    std::string display;        // DISPLAY: an X11 server
    std::string waylandDisplay; // WAYLAND_DISPLAY: a Wayland compositor
    std::string qtPlatform;     // QT_QPA_PLATFORM: empty, or Qt's platform list

    static DisplayEnvironment current();
};

// True when one of the platforms Qt would try can start: X11 with DISPLAY set,
// Wayland with WAYLAND_DISPLAY set, or a platform that needs no display
// server (offscreen, vnc, eglfs, ...) named in QT_QPA_PLATFORM.
bool hasGraphicalSession(const DisplayEnvironment& environment);

// For a program about to open its window: false, after telling the user on
// `errors` that a graphical session is needed, when there is none.
bool checkGraphicalSession(const std::string& program, const DisplayEnvironment& environment,
                           std::ostream& errors);
