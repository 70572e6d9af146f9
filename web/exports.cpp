// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls: one function per event of the window, the room for the pictures,
// the playfield's pixels, and a reading of the rules' state for the page's tests.
#include <array>
#include <cstdint>

#include "web/front_end.h"

#define HEADPOP_EXPORT(name) __attribute__((export_name(#name)))

namespace headpop {
namespace {

// After the program's end no event reaches the rules.
template <typename Handler>
void Deliver(Handler handler) {
  WebFrontEnd& frontEnd = FrontEnd();
  if (!frontEnd.Window().Ended()) {
    handler(frontEnd.Rules());
  }
}

// State_Read's table: kStateHeader numbers, then per target slot 1..20 kind, posX, posY and
// frame, then per explosion slot 1..20 blastStage, blastX and blastY.
constexpr std::size_t kStateHeader = 12;
constexpr std::size_t kSlots = 20;
constexpr std::size_t kStateSize = kStateHeader + kSlots * 4 + kSlots * 3;
std::array<float, kStateSize> stateTable{};
std::array<int32_t, 4> changedArea{};

}  // namespace
}  // namespace headpop

using headpop::Deliver;
using headpop::Game;

extern "C" {

HEADPOP_EXPORT(Form_Load) void Form_Load() {
  Deliver([](Game& rules) { rules.Form_Load(); });
}

HEADPOP_EXPORT(Command1_Click) void Command1_Click() {
  Deliver([](Game& rules) { rules.Command1_Click(); });
}

HEADPOP_EXPORT(Command2_Click) void Command2_Click() {
  Deliver([](Game& rules) { rules.Command2_Click(); });
}

// The answer to the quit question that Command2_Click opened: the quit handler runs again
// with the answer in hand (see WebWindow::AskYesNo).
HEADPOP_EXPORT(QuitQuestion_Answered) void QuitQuestion_Answered(int32_t yes) {
  Deliver([yes](Game& rules) {
    headpop::FrontEnd().Window().Answer(yes != 0);
    rules.Command2_Click();
  });
}

HEADPOP_EXPORT(Label3_Click) void Label3_Click() {
  Deliver([](Game& rules) { rules.Label3_Click(); });
}

HEADPOP_EXPORT(Picture1_MouseUp)
void Picture1_MouseUp(int32_t button, int32_t shift, float x, float y) {
  Deliver([=](Game& rules) {
    rules.Picture1_MouseUp(static_cast<int16_t>(button), static_cast<int16_t>(shift), x, y);
  });
}

HEADPOP_EXPORT(Timer1_Timer) void Timer1_Timer() {
  Deliver([](Game& rules) { rules.Timer1_Timer(); });
}

HEADPOP_EXPORT(Timer2_Timer) void Timer2_Timer() {
  Deliver([](Game& rules) { rules.Timer2_Timer(); });
}

// Room for one picture (numbered as in WebWindow), for the page to fill before Form_Load.
HEADPOP_EXPORT(Picture_Room)
headpop::Pixel* Picture_Room(int32_t picture, int32_t width, int32_t height) {
  return headpop::FrontEnd().Window().PictureRoom(picture, width, height);
}

// 309 x 293 pixels of R, G, B, A bytes, row after row.
HEADPOP_EXPORT(Playfield_Pixels) const headpop::Pixel* Playfield_Pixels() {
  return headpop::FrontEnd().Window().Playfield().Data();
}

// Left, top, width and height of what changed since the last call; width 0 if nothing.
HEADPOP_EXPORT(Playfield_TakeChangedArea) const int32_t* Playfield_TakeChangedArea() {
  const headpop::PixelRect area = headpop::FrontEnd().Window().TakeChangedArea();
  headpop::changedArea = {area.left, area.top, area.width, area.height};
  return headpop::changedArea.data();
}

// The rules' state as numbers (layout above): gameOver, betweenLevels, level, score,
// remaining, escaped, the screen shown (-1 none, else Picture2, backpic, levelpic, winpic,
// losepic as 0..4), Timer1 and Timer2 enabled, Timer1's interval, soundOn, 0; then the slots.
HEADPOP_EXPORT(State_Read) const float* State_Read() {
  using headpop::GameTimer;
  headpop::WebFrontEnd& frontEnd = headpop::FrontEnd();
  const headpop::GameState& s = frontEnd.Rules().State();
  const headpop::WebWindow& window = frontEnd.Window();
  auto& t = headpop::stateTable;
  const auto shown = window.ShownScreen();
  t = {static_cast<float>(s.gameOver),
       s.betweenLevels ? 1.0F : 0.0F,
       static_cast<float>(s.level),
       static_cast<float>(s.score),
       static_cast<float>(s.remaining),
       static_cast<float>(s.escaped),
       shown ? static_cast<float>(*shown) : -1.0F,
       window.TimerEnabled(GameTimer::Timer1) ? 1.0F : 0.0F,
       window.TimerEnabled(GameTimer::Timer2) ? 1.0F : 0.0F,
       static_cast<float>(window.Timer1Interval()),
       s.soundOn ? 1.0F : 0.0F,
       0.0F};
  std::size_t at = headpop::kStateHeader;
  for (const headpop::SlotNo i : headpop::SlotNo::All()) {
    const headpop::TargetSlot& target = s.targets[i];
    t.at(at++) = target.kind;
    t.at(at++) = target.posX;
    t.at(at++) = target.posY;
    t.at(at++) = target.frame;
  }
  for (const headpop::SlotNo j : headpop::SlotNo::All()) {
    const headpop::BlastSlot& blast = s.blasts[j];
    t.at(at++) = blast.blastStage;
    t.at(at++) = blast.blastX;
    t.at(at++) = blast.blastY;
  }
  return t.data();
}

}  // extern "C"
