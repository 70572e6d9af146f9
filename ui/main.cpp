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
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("headpop"));

  headpop::SdlSound sound(headpop::ProgramFolder());
  headpop::ClockRandom random;
  headpop::Form1 window(sound, random);
  window.show();
  return QApplication::exec();
}
