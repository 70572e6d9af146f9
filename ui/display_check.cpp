// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_check.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

namespace headpop {
namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

// While the window system starts, the toolkit's own messages are held back: when it fails,
// its lines ("could not connect to display", "Could not load the Qt platform plugin")
// would bury the one sentence that says what to do.
bool holdingMessages = false;
std::string& HeldMessages() {
  static std::string held;
  return held;
}

constexpr const char* kAdvice =
    "start it from a desktop session, or under a virtual display with xvfb-run.";

void OnToolkitMessage(QtMsgType type, const QMessageLogContext& /*context*/,
                      const QString& message) {
  if (type != QtFatalMsg) {
    if (holdingMessages) {
      HeldMessages() += message.toStdString() + '\n';
    } else {
      std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    return;
  }
  const std::string sentence =
      UnreachableDisplayMessage(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                                std::getenv("WAYLAND_DISPLAY"), std::getenv("XDG_SESSION_TYPE"));
  std::fprintf(stderr, "%s\n", sentence.c_str());
  std::_Exit(1);
}

// The platforms the toolkit tries, in its order (see UnreachableDisplayMessage).
std::vector<std::string> PlatformsTried(const char* qpaPlatform, const char* waylandDisplay,
                                        const char* sessionType) {
  std::vector<std::string> platforms;
  if (IsSet(qpaPlatform)) {
    std::istringstream list(qpaPlatform);
    for (std::string entry; std::getline(list, entry, ';');) {
      platforms.push_back(entry.substr(0, entry.find(':')));  // "name:arguments"
    }
    return platforms;
  }
  if (IsSet(waylandDisplay) ||
      (sessionType != nullptr && std::string_view(sessionType) == "wayland")) {
    platforms.emplace_back("wayland");
  }
  platforms.emplace_back("xcb");
  return platforms;
}

// What a platform connects to, as the sentence names it.
std::string PlaceOf(const std::string& platform, const char* x11Display,
                    const char* waylandDisplay) {
  if (platform.rfind("wayland", 0) == 0) {
    // Without WAYLAND_DISPLAY the client library looks for the socket "wayland-0".
    return std::string("the Wayland display \"") +
           (IsSet(waylandDisplay) ? waylandDisplay : "wayland-0") + '"';
  }
  if (platform == "xcb") {
    return IsSet(x11Display) ? std::string("the X display \"") + x11Display + '"'
                             : std::string("an X display (DISPLAY is not set)");
  }
  return platform.empty() ? std::string() : "the platform \"" + platform + '"';
}

}  // namespace

std::string MissingDisplayMessage(const char* qpaPlatform, const char* x11Display,
                                  const char* waylandDisplay) {
  if (IsSet(qpaPlatform) || IsSet(x11Display) || IsSet(waylandDisplay)) {
    return {};
  }
  return std::string("headpop: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); ") +
         kAdvice;
}

std::string UnreachableDisplayMessage(const char* qpaPlatform, const char* x11Display,
                                      const char* waylandDisplay, const char* sessionType) {
  std::vector<std::string> tried;
  for (const std::string& platform : PlatformsTried(qpaPlatform, waylandDisplay, sessionType)) {
    const std::string place = PlaceOf(platform, x11Display, waylandDisplay);
    if (!place.empty() && std::find(tried.begin(), tried.end(), place) == tried.end()) {
      tried.push_back(place);
    }
  }
  std::string sentence = "headpop: cannot open a window";
  for (size_t i = 0; i < tried.size(); ++i) {
    sentence += (i == 0 ? " on " : " nor on ") + tried[i];
  }
  return sentence + "; " + kAdvice;
}

void ExitCleanlyWhenTheDisplayFails() {
  holdingMessages = true;
  qInstallMessageHandler(OnToolkitMessage);
}

void WindowSystemStarted() {
  holdingMessages = false;
  std::fputs(HeldMessages().c_str(), stderr);
  HeldMessages().clear();
}

}  // namespace headpop
