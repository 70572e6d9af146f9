// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/display_check.h"

namespace headpop {
namespace {

// Settings the toolkit reads as the application object is made.
void ChooseToolkitSettings() {
  // Whole scale factors only: a 150 % screen shows the game at 2, where every picture is
  // enlarged into square blocks, rather than at 1.5, where pixels would come out uneven.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  // Repaints through X shared memory each ask the server for a completion event, which
  // wakes the toolkit's event thread and then the game's: a third of the game's wake-ups
  // while playing. A movement tick repaints a few 37 x 37 rectangles, which the socket
  // carries as well.
  qputenv("QT_XCB_NO_MITSHM", "1");
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
  const std::string missing = MissingDisplayMessage(
      std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  if (!missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return nullptr;
  }
  ExitCleanlyWhenTheDisplayFails();
  ChooseToolkitSettings();
  auto app = std::make_unique<QApplication>(argc, argv);
  WindowSystemStarted();
  QApplication::setApplicationName(QStringLiteral("headpop"));
  return app;
}

}  // namespace headpop
