#include "ui/application.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/display_check.h"

namespace headpop {

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
  const std::string missing = MissingDisplayMessage(
      std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  if (!missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return nullptr;
  }
  ExitCleanlyWhenTheDisplayFails();
  // Whole scale factors only: a 150 % screen shows the game at 2, where every picture is
  // enlarged into square blocks, rather than at 1.5, where pixels would come out uneven.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  auto app = std::make_unique<QApplication>(argc, argv);
  WindowSystemStarted();
  QApplication::setApplicationName(QStringLiteral("headpop"));
  return app;
}

}  // namespace headpop
