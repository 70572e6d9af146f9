#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "game/random.h"
#include "sound/sdl_sound.h"
#include "sound/sound_files.h"
#include "ui/display_check.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  const std::string missing = headpop::MissingDisplayMessage(
      std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
  if (!missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return 1;
  }
  headpop::ExitCleanlyWhenTheDisplayFails();
  // Whole scale factors only: a 150 % screen shows the game at 2, where every picture is
  // enlarged into square blocks, rather than at 1.5, where pixels would come out uneven.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  headpop::WindowSystemStarted();
  QApplication::setApplicationName(QStringLiteral("headpop"));
  // Lets the desktop match the window with its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(HEADPOP_APP_ID));

  headpop::SdlSound sound(headpop::ProgramFolder());
  headpop::ClockRandom random;
  headpop::Form1 window(sound, random);
  window.show();
  return QApplication::exec();
}
