// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/model/state_check.h"
#include "ui/form1.h"

namespace headpop::model {

PlayState StateOf(const Form1& form);

// Checks the rules every state obeys (CheckState), then rebuilds the playfield from the game
// state alone and compares it with the real surface. The pixels are rebuilt with code of
// its own, not with the surface's, so a fault in either shows as a difference.
class ModelCheck {
 public:
  explicit ModelCheck(const Pictures& art);

  // "" when everything holds, else what does not, naming the first differing pixel and
  // the slots whose sprites cover it.
  std::string operator()(const Form1& form);

 private:
  void XorSprite(const QImage& sprite, float x, float y);
  std::string ComparePixels(const Form1& form, PlayState state) const;

  std::array<QImage, 5> screens_;  // black, then each screen picture, at playfield size
  QImage black_;
  std::array<QImage, 14> sprites_;  // pic1..pic3 items 1..3, ledakpic items 1..5
  std::vector<QRgb> expected_;
};

// One-off check of a window; ModelCheck keeps its prepared pictures between calls.
std::string CheckModel(const Form1& form);

}  // namespace headpop::model
