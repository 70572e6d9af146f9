// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "game/random.h"
#include "sound/pulse_sound.h"
#include "sound/sound_files.h"
#include "ui/application.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
  const auto app = headpop::StartApplication(argc, argv);
  if (!app) {
    return 1;
  }
  // Lets the desktop match the window with its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(HEADPOP_APP_ID));

  headpop::PulseSound sound(headpop::ProgramFolder());
  headpop::ClockRandom random;
  headpop::Form1 window(sound, random);
  window.show();
  return QApplication::exec();
}
