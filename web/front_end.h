// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/game.h"
#include "game/random.h"
#include "web/web_window.h"

namespace headpop {

// The window of the page and the rules it drives: what the exported functions (exports.cpp)
// act on. The page's module installs one over the page's clock (page_main.cpp); a test
// driver installs its own over a clock of its own.
class WebFrontEnd {
 public:
  explicit WebFrontEnd(RandomSource& random) : game_(window_, random) {}
  WebFrontEnd(const WebFrontEnd&) = delete;
  WebFrontEnd& operator=(const WebFrontEnd&) = delete;

  WebWindow& Window() { return window_; }
  const WebWindow& Window() const { return window_; }
  Game& Rules() { return game_; }
  const Game& Rules() const { return game_; }

 private:
  WebWindow window_;
  Game game_;
};

void InstallFrontEnd(WebFrontEnd& frontEnd);
// The installed front end; calling it with none installed stops the module.
WebFrontEnd& FrontEnd();

}  // namespace headpop
