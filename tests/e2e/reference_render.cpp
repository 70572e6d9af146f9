// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Renders what the live window should show, on the same display and with the same fonts, so
// the end-to-end tests can compare screenshots pixel for pixel:
//   reference_render window OUT.png SCORE LEVEL   the window with those label captions
//   reference_render question OUT.png TITLE PROMPT   a Yes/No question with that text; prints
//     each button as "Yes WxH+X+Y" and "No WxH+X+Y" in the question's own coordinates
#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <string>
#include <utility>

#include "game/random.h"
#include "sound/sound.h"
#include "ui/form1.h"

namespace {

bool Save(const QPixmap& picture, const char* path) {
  if (!picture.save(QString::fromLocal8Bit(path), "PNG")) {
    std::fprintf(stderr, "reference_render: cannot write %s\n", path);
    return false;
  }
  return true;
}

int RenderWindow(const char* out, const char* score, const char* level) {
  headpop::NullSound sound;
  headpop::ClockRandom random;
  headpop::Form1 window(sound, random);
  window.SetScoreCaption(score);
  window.SetLevelCaption(level);
  return Save(window.grab(), out) ? 0 : 1;
}

int RenderQuestion(const char* out, const char* title, const char* prompt) {
  // Built as the game builds its question: no icon, Yes and No, Yes the default.
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(title), QString::fromUtf8(prompt),
                  QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::Yes);
  bool saved = false;
  // Grabbed once it is laid out and shown, as the player sees it.
  QTimer::singleShot(0, &box, [&] {
    saved = Save(box.grab(), out);
    for (const auto& [button, name] :
         {std::pair{QMessageBox::Yes, "Yes"}, {QMessageBox::No, "No"}}) {
      const QWidget* widget = box.button(button);
      const QPoint corner = widget->mapTo(&box, QPoint(0, 0));
      std::printf("%s %dx%d+%d+%d\n", name, widget->width(), widget->height(), corner.x(),
                  corner.y());
    }
    box.done(0);
  });
  box.exec();
  return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "window" && argc == 5) {
    return RenderWindow(argv[2], argv[3], argv[4]);
  }
  if (mode == "question" && argc == 5) {
    return RenderQuestion(argv[2], argv[3], argv[4]);
  }
  std::fprintf(stderr,
               "usage: reference_render window OUT.png SCORE LEVEL\n"
               "       reference_render question OUT.png TITLE PROMPT\n");
  return 2;
}
