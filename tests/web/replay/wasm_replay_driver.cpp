// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/web/replay/wasm_replay_driver.h"

// The module's exported functions, as the page calls them (web/exports.cpp).
extern "C" {
void Form_Load();
void Command1_Click();
void Label3_Click();
void Picture1_MouseUp(int32_t button, int32_t shift, float x, float y);
void Timer1_Timer();
void Timer2_Timer();
}

namespace headpop::model {
namespace {

constexpr int32_t kLeftButton = 1;

}  // namespace

WasmReplayDriver::WasmReplayDriver(uint64_t seed)
    : random_(seed, [this] { return nanoseconds_; }), frontEnd_(random_) {
  InstallFrontEnd(frontEnd_);
  Form_Load();
}

void WasmReplayDriver::Advance(int milliseconds) {
  nanoseconds_ += static_cast<uint64_t>(milliseconds) * 1000000U;
}

void WasmReplayDriver::Start() {
  Advance(kClickMilliseconds);
  Command1_Click();
}

void WasmReplayDriver::About() {
  Advance(kClickMilliseconds);
  Label3_Click();
}

bool WasmReplayDriver::Tick(GameTimer timer) {
  const WebWindow& window = frontEnd_.Window();
  if (!window.TimerEnabled(timer)) {
    return false;
  }
  if (timer == GameTimer::Timer1) {
    Advance(window.Timer1Interval());
    Timer1_Timer();
  } else {
    Advance(kExplosionInterval);
    Timer2_Timer();
  }
  return true;
}

void WasmReplayDriver::Shoot(int x, int y) {
  Advance(kClickMilliseconds);
  Picture1_MouseUp(kLeftButton, 0, static_cast<float>(x), static_cast<float>(y));
}

const GameState& WasmReplayDriver::State() const { return frontEnd_.Rules().State(); }

PlayState WasmReplayDriver::Now() const {
  return StateOf(State(), frontEnd_.Window().ShownScreen());
}

std::string WasmReplayDriver::Check() {
  const WebWindow& window = frontEnd_.Window();
  return CheckState(State(),
                    {window.TimerEnabled(GameTimer::Timer1), window.TimerEnabled(GameTimer::Timer2),
                     window.Timer1Interval(), window.ShownScreen()});
}

}  // namespace headpop::model
