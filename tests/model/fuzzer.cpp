// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/model/fuzzer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

#include "tests/model/float_text.h"

namespace headpop::model {
namespace {

constexpr float kSide = 37;  // a target's hit rectangle is closed: posX .. posX + 37
constexpr int16_t kPointsPerHit = 10;
constexpr std::size_t kHistory = 12;
constexpr uint64_t kFlushEvery = 256;
constexpr int kQtPercent = 3;
constexpr uint64_t kUntilGameEnds = std::numeric_limits<uint64_t>::max();

// Weights of Timer1, Timer2, aimed, field and wild releases, Start and About, per mode.
using Weights = std::array<int, 7>;
constexpr std::array<Weights, 4> kInPlay = {{
    {250, 150, 520, 50, 30, 0, 0},      // Hunter
    {700, 300, 0, 0, 0, 0, 0},          // Idle
    {300, 200, 200, 150, 100, 25, 25},  // Chaos
    {500, 5, 450, 20, 25, 0, 0},        // Swarm
}};
constexpr std::array<Weights, 4> kOutOfPlay = {{
    {0, 0, 10, 10, 10, 70, 0},
    {0, 0, 0, 0, 0, 1, 0},
    {0, 0, 100, 200, 100, 400, 200},
    {0, 0, 10, 10, 10, 70, 0},
}};

const char* KindName(int kind) {
  constexpr std::array<const char*, 7> kNames = {
      "Timer1", "Timer2", "aimed release", "field release", "wild release", "Start", "About"};
  return kNames.at(static_cast<std::size_t>(kind));
}

bool IsPlaying(const GameState& s) { return s.gameOver == kFalse16 && !s.betweenLevels; }

// The first occupied slot whose closed rectangle holds the point, while a level is played.
std::optional<SlotNo> ExpectedHit(const GameState& s, float x, float y) {
  if (!IsPlaying(s)) {
    return std::nullopt;
  }
  for (const SlotNo i : SlotNo::All()) {
    const TargetSlot& t = s.targets[i];
    if (t.kind != 0 && t.posX <= x && x <= t.posX + kSide && t.posY <= y && y <= t.posY + kSide) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<SlotNo> FirstFreeBlast(const GameState& s) {
  for (const SlotNo j : SlotNo::All()) {
    if (s.blasts[j].blastStage == 0) {
      return j;
    }
  }
  return std::nullopt;
}

// What a release did to the score and the explosions, against what it should have done.
std::string CheckShot(const GameState& before, const GameState& after, float x, float y) {
  const std::optional<SlotNo> hit = ExpectedHit(before, x, y);
  const int gained = after.score - before.score;
  if (gained != (hit ? kPointsPerHit : 0)) {
    return "the score went up by " + std::to_string(gained) +
           (hit ? ", but target " + std::to_string(hit->Number()) + " was hit" : " on a miss");
  }
  const std::optional<SlotNo> free = FirstFreeBlast(before);
  if (!hit || !free) {
    return {};
  }
  const TargetSlot& target = before.targets[*hit];
  const BlastSlot& blast = after.blasts[*free];
  if (blast.blastStage != 1 || blast.blastX != target.posX || blast.blastY != target.posY) {
    return "target " + std::to_string(hit->Number()) + " was hit, but blast " +
           std::to_string(free->Number()) + " did not start at its position";
  }
  return {};
}

int Occupied(const GameState& s, bool blasts) {
  int count = 0;
  for (const SlotNo i : SlotNo::All()) {
    count += blasts ? static_cast<int>(s.blasts[i].blastStage != 0)
                    : static_cast<int>(s.targets[i].kind != 0);
  }
  return count;
}

}  // namespace

std::string FuzzReport::Summary() const {
  auto perState = [](const char* what, const std::array<uint64_t, kPlayStateCount>& counts) {
    std::string text = what;
    for (int state = 0; state < kPlayStateCount; ++state) {
      text += std::string(" ") + NameOf(static_cast<PlayState>(state)) + " " +
              std::to_string(counts.at(static_cast<std::size_t>(state)));
    }
    return text;
  };
  return std::to_string(events) + " events; " + perState("after them:", eventsIn) + "; " +
         perState("Start in:", startsIn) + "; " + perState("About in:", aboutsIn) + "; won " +
         std::to_string(won) + ", lost " + std::to_string(lost) + "; " + std::to_string(hits) +
         " hits, " + std::to_string(releasesThroughQt) + " releases through Qt; at most " +
         std::to_string(mostTargets) + " targets and " + std::to_string(mostBlasts) +
         " explosions at once";
}

std::string Fuzzer::Event::Describe() const {
  std::string text = "#" + std::to_string(index) + " " + KindName(static_cast<int>(kind));
  if (kind == Kind::Aimed || kind == Kind::Field || kind == Kind::Wild) {
    text += " at " + FloatText(x) + ", " + FloatText(y) + " button " + std::to_string(button) +
            " shift " + std::to_string(shift);
    if (throughQt) {
      text += " pressed at " + std::to_string(press.x()) + ", " + std::to_string(press.y());
    }
  }
  return text + (throughQt ? " through Qt" : "");
}

Fuzzer::Fuzzer(uint64_t seed)
    : random_(seed), harness_(random_()), check_(harness_.Window().Art()) {
  ChooseMode(false);
}

bool Fuzzer::Chance(int percent) {
  return std::uniform_int_distribution<int>(0, 99)(random_) < percent;
}

float Fuzzer::Between(float low, float high) {
  return std::uniform_real_distribution<float>(low, high)(random_);
}

void Fuzzer::ChooseMode(bool gameEnded) {
  gamesEnded_ += gameEnded ? 1 : 0;
  // The first game is hunted to a win and the second left alone to a loss; after that
  // the modes take turns at random.
  if (gamesEnded_ < 2) {
    mode_ = gamesEnded_ == 0 ? Mode::Hunter : Mode::Idle;
    modeLeft_ = kUntilGameEnds;
    return;
  }
  mode_ = static_cast<Mode>(std::uniform_int_distribution<int>(0, 3)(random_));
  const bool toTheEnd = mode_ == Mode::Hunter || mode_ == Mode::Idle;
  modeLeft_ =
      toTheEnd ? kUntilGameEnds : std::uniform_int_distribution<uint64_t>(20, 1500)(random_);
}

Fuzzer::Kind Fuzzer::Pick() {
  const bool playing = IsPlaying(harness_.State());
  Weights weights = (playing ? kInPlay : kOutOfPlay).at(static_cast<std::size_t>(mode_));
  // A stopped timer sends no tick.
  for (const auto& [timer, kind] :
       {std::pair{GameTimer::Timer1, Kind::Timer1}, std::pair{GameTimer::Timer2, Kind::Timer2}}) {
    if (!harness_.Window().TimerEnabled(timer)) {
      weights.at(static_cast<std::size_t>(kind)) = 0;
    }
  }
  int total = 0;
  for (const int w : weights) {
    total += w;
  }
  if (total == 0) {
    return Kind::Start;
  }
  int roll = std::uniform_int_distribution<int>(0, total - 1)(random_);
  for (int kind = 0; kind < kKinds; ++kind) {
    roll -= weights.at(static_cast<std::size_t>(kind));
    if (roll < 0) {
      return static_cast<Kind>(kind);
    }
  }
  return Kind::Start;
}

void Fuzzer::AimAtTarget(Event& event) {
  std::vector<const TargetSlot*> occupied;
  for (const SlotNo i : SlotNo::All()) {
    if (harness_.State().targets[i].kind != 0) {
      occupied.push_back(&harness_.State().targets[i]);
    }
  }
  if (occupied.empty()) {
    AimAnywhere(event);
    return;
  }
  const TargetSlot& t =
      *occupied[std::uniform_int_distribution<std::size_t>(0, occupied.size() - 1)(random_)];
  // An edge: exactly on it, or the nearest float beyond it.
  auto edge = [this](float low) {
    const bool far = Chance(50);
    const float on = far ? low + kSide : low;
    if (!Chance(25)) {
      return on;
    }
    return std::nextafter(
        on, far ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity());
  };
  switch (std::uniform_int_distribution<int>(0, 3)(random_)) {
    case 0:  // inside
      event.x = t.posX + Between(0, kSide);
      event.y = t.posY + Between(0, kSide);
      break;
    case 1:  // a corner
      event.x = edge(t.posX);
      event.y = edge(t.posY);
      break;
    case 2:  // along an edge
      if (Chance(50)) {
        event.x = edge(t.posX);
        event.y = t.posY + Between(0, kSide);
      } else {
        event.x = t.posX + Between(0, kSide);
        event.y = edge(t.posY);
      }
      break;
    default:  // around the pixel the sprite is drawn at
      event.x = std::nearbyint(t.posX) +
                static_cast<float>(std::uniform_int_distribution<int>(-1, 38)(random_));
      event.y = std::nearbyint(t.posY) +
                static_cast<float>(std::uniform_int_distribution<int>(-1, 38)(random_));
      break;
  }
}

void Fuzzer::AimAnywhere(Event& event) {
  event.x = Between(-40, 350);
  event.y = Between(-40, 335);
  if (Chance(30)) {
    event.x = std::floor(event.x);
    event.y = std::floor(event.y) + (Chance(50) ? 0.5F : 0.0F);
  }
}

void Fuzzer::AimWild(Event& event) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr std::array<float, 16> kOdd = {-kInf,  kInf,   -3.4e38F,  3.4e38F, -1e6F,      1e6F,
                                          -0.0F,  0.0F,   1e-45F,    -1e-45F, 308.99998F, 309.0F,
                                          293.0F, -37.0F, -65536.0F, 65535.5F};
  auto pick = [&] {
    if (Chance(50)) {
      return kOdd.at(std::uniform_int_distribution<std::size_t>(0, kOdd.size() - 1)(random_));
    }
    float value = std::numeric_limits<float>::quiet_NaN();
    while (std::isnan(value)) {
      value = std::bit_cast<float>(static_cast<uint32_t>(random_()));
    }
    return value;
  };
  event.x = pick();
  event.y = Chance(30) ? Between(0, 293) : pick();
}

void Fuzzer::MaybeThroughQt(Event& event) {
  constexpr float kReach = 2000;
  if (!Chance(kQtPercent) || !(std::fabs(event.x) < kReach) || !(std::fabs(event.y) < kReach)) {
    return;
  }
  const QPoint release(static_cast<int>(std::lrint(event.x)),
                       static_cast<int>(std::lrint(event.y)));
  const QPoint press = Chance(50) ? release
                                  : QPoint(std::uniform_int_distribution<int>(-1, 310)(random_),
                                           std::uniform_int_distribution<int>(-1, 294)(random_));
  event.throughQt = true;
  event.press = press;
  event.x = static_cast<float>(release.x());
  event.y = static_cast<float>(release.y());
  event.button =
      std::array<int16_t, 3>{1, 2, 4}.at(std::uniform_int_distribution<std::size_t>(0, 2)(random_));
  event.shift = static_cast<int16_t>(std::uniform_int_distribution<int>(0, 7)(random_));
}

Fuzzer::Event Fuzzer::Make(uint64_t index, Kind kind) {
  Event event;
  event.index = index;
  event.kind = kind;
  switch (kind) {
    case Kind::Aimed:
      AimAtTarget(event);
      break;
    case Kind::Field:
      AimAnywhere(event);
      break;
    case Kind::Wild:
      AimWild(event);
      break;
    case Kind::Start:
    case Kind::About:
      event.throughQt = Chance(25);
      return event;
    default:
      return event;
  }
  // The rules ignore the button and the keys; any code at all may come.
  event.button = static_cast<int16_t>(random_());
  event.shift = static_cast<int16_t>(random_());
  if (kind != Kind::Wild) {
    MaybeThroughQt(event);
  }
  return event;
}

std::string Fuzzer::Send(const Event& event) {
  switch (event.kind) {
    case Kind::Timer1:
      harness_.Tick(GameTimer::Timer1);
      return {};
    case Kind::Timer2:
      harness_.Tick(GameTimer::Timer2);
      return {};
    case Kind::Start:
      ++report_.startsIn.at(static_cast<std::size_t>(StateOf(harness_.Window())));
      harness_.Start(event.throughQt);
      return {};
    case Kind::About:
      ++report_.aboutsIn.at(static_cast<std::size_t>(StateOf(harness_.Window())));
      harness_.About(event.throughQt);
      return {};
    default:
      break;
  }
  const GameState before = harness_.State();
  if (event.throughQt) {
    auto modifiers = Qt::KeyboardModifiers();
    modifiers.setFlag(Qt::ShiftModifier, (event.shift & 1) != 0);
    modifiers.setFlag(Qt::ControlModifier, (event.shift & 2) != 0);
    modifiers.setFlag(Qt::AltModifier, (event.shift & 4) != 0);
    const auto button = event.button == 1   ? Qt::LeftButton
                        : event.button == 2 ? Qt::RightButton
                                            : Qt::MiddleButton;
    harness_.ReleaseThroughQt(button, modifiers, event.press,
                              QPoint(static_cast<int>(event.x), static_cast<int>(event.y)));
    ++report_.releasesThroughQt;
  } else {
    harness_.Release(event.button, event.shift, event.x, event.y);
  }
  report_.hits += harness_.State().score != before.score ? 1 : 0;
  return CheckShot(before, harness_.State(), event.x, event.y);
}

std::string Fuzzer::History() const {
  std::string text;
  for (const Event& event : recent_) {
    text += "  " + event.Describe() + "\n";
  }
  return text;
}

FuzzReport Fuzzer::Run(uint64_t events) {
  PlayState state = StateOf(harness_.Window());
  for (uint64_t index = 0; index < events; ++index) {
    const Event event = Make(index, Pick());
    recent_.push_back(event);
    if (recent_.size() > kHistory) {
      recent_.pop_front();
    }
    std::string failure = Send(event);
    if (failure.empty()) {
      failure = check_(harness_.Window());
    }
    ++report_.events;
    if (!failure.empty()) {
      report_.failure =
          "event " + event.Describe() + ": " + failure + "\nlast events:\n" + History();
      return report_;
    }
    const PlayState now = StateOf(harness_.Window());
    ++report_.eventsIn.at(static_cast<std::size_t>(now));
    const GameState& s = harness_.State();
    report_.mostTargets = std::max(report_.mostTargets, Occupied(s, false));
    report_.mostBlasts = std::max(report_.mostBlasts, Occupied(s, true));
    const bool ended = now != state &&
                       (now == PlayState::Won || now == PlayState::Lost || now == PlayState::Title);
    report_.won += ended && now == PlayState::Won ? 1 : 0;
    report_.lost += ended && now == PlayState::Lost ? 1 : 0;
    state = now;
    if (ended || --modeLeft_ == 0) {
      ChooseMode(ended);
    }
    if (index % kFlushEvery == 0) {
      Harness::FlushRepaints();
    }
  }
  return report_;
}

}  // namespace headpop::model
