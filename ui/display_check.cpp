// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_check.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

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
  const QByteArray display = qgetenv("DISPLAY");
  std::fprintf(stderr, "headpop: cannot open a window on the display \"%s\"; %s\n",
               display.constData(), kAdvice);
  std::_Exit(1);
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
