// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace headpop {

// The sentence printed when no window can be opened, or empty when one can be tried.
// The platform chosen in QT_QPA_PLATFORM is trusted as it is.
std::string MissingDisplayMessage(const char* qpaPlatform, const char* x11Display,
                                  const char* waylandDisplay);

// The sentence printed when the toolkit could open no window: it names every display the
// toolkit tried, in its order. Unless QT_QPA_PLATFORM names the platforms, Qt 6 tries
// Wayland first when WAYLAND_DISPLAY is set or XDG_SESSION_TYPE is "wayland", then X11.
std::string UnreachableDisplayMessage(const char* qpaPlatform, const char* x11Display,
                                      const char* waylandDisplay, const char* sessionType);

// Makes a failure of the window system to start print one clear sentence and exit with
// status 1, instead of the toolkit's abort and core dump. The toolkit's other messages are
// held back until WindowSystemStarted().
void ExitCleanlyWhenTheDisplayFails();

// Prints the messages held back while the window system started, and every later one as
// it comes.
void WindowSystemStarted();

}  // namespace headpop
