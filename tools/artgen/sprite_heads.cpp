// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The three characters that rise up the playfield. Each is one routine parameterised by the
// frame's expression, so the frames of a head differ only where the animation should show.

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "sprite_canvas.h"
#include "sprite_parts.h"

namespace artgen {
namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kBrightGreen = qRgb(0, 255, 0);
constexpr QRgb kDarkGreen = qRgb(0, 128, 0);

constexpr double kMid = kSpriteCentre;

// Draws a feature on both sides of the face: `draw` gets -1 for the left, 1 for the right.
template <typename Draw>
void mirrored(Draw draw) {
  draw(-1);
  draw(1);
}

void saveHead(const AssetSink& sink, int head, int frame, const Canvas& canvas) {
  sink(QStringLiteral("pic%1_%2.png").arg(head).arg(frame), canvas.image());
}

// ---- Head 1: the red-haired kid -------------------------------------------------------------

constexpr QRgb kSkin = qRgb(233, 213, 150);
constexpr QRgb kSkinShade = qRgb(200, 150, 80);
constexpr QRgb kHairShade = qRgb(170, 0, 0);
constexpr QRgb kMouth = qRgb(128, 0, 0);
constexpr QRgb kTongue = qRgb(255, 128, 170);
constexpr QRgb kTongueShade = qRgb(210, 60, 110);

enum class KidFace { kGrin, kWinkTongue, kSquintFrown };

constexpr double kKidEyeY = 17;
constexpr double kKidEyeDx = 6.5;

void drawKidCurl(Canvas& c, double x, double y) {
  c.fillEllipse(x, y, 3.2, 3.2, kHairShade);
  c.fillEllipse(x - 0.7, y - 0.9, 2.9, 2.9, kRed);
}

// A ring of curls, each with a dark lower edge, gives the mop its outline.
void drawKidHair(Canvas& c) {
  c.fillEllipse(kMid, 16, 15, 14, kRed);
  for (int i = 0; i <= 12; ++i) {
    const double angle = std::numbers::pi * (0.95 + 1.1 * i / 12.0);
    drawKidCurl(c, kMid + 14.5 * std::cos(angle), 16 + 13.0 * std::sin(angle));
  }
}

void drawKidFace(Canvas& c) {
  mirrored([&](int side) {
    c.fillOutlinedEllipse(kMid + side * 13, 21, 2.5, 3.2, kSkin, kBlack);
    c.plot(static_cast<int>(kMid) + side * 13, 21, kSkinShade);
  });
  c.fillOutlinedEllipse(kMid, 20, 11.5, 13, kSkin, kBlack);
  // Fringe: pointed locks hanging onto the forehead.
  const auto fringe = [](double x) {
    const double phase = std::abs(std::remainder(x - kMid, 6.0)) / 3.0;
    return 11.0 - 3.0 * phase;
  };
  const Region face = ellipse(kMid, 20, 11.5, 13);
  c.fillOutlinedWhere([&](double x, double y) { return face(x, y) && y <= fringe(x); }, kRed,
                      kBlack);
  // Freckles and nose.
  mirrored([&](int side) {
    const int x = static_cast<int>(kMid) + side * 8;
    c.plot(x, 23, kSkinShade);
    c.plot(x + side, 24, kSkinShade);
    c.plot(x - side, 24, kSkinShade);
  });
  c.stamp(17, 21, {".s.", "s.s"}, {{'s', kSkinShade}});
}

void drawKidOpenEye(Canvas& c, double cx, int look) {
  c.fillOutlinedEllipse(cx, kKidEyeY, 3.6, 4.4, kWhite, kBlack);
  const double ix = cx + look;
  const double iy = kKidEyeY + 0.5;
  c.fillEllipse(ix, iy, 2.0, 2.0, kRed);
  c.fillEllipse(ix, iy, 0.8, 0.8, kBlack);
  c.plot(static_cast<int>(ix - 1), static_cast<int>(iy - 1), kWhite);
}

void drawKidWinkingEye(Canvas& c, double cx) {
  const int x = static_cast<int>(cx - 3.5);
  const int y = static_cast<int>(kKidEyeY) - 1;
  c.stamp(x, y, {"..####..", ".#....#.", "#......#"}, {{'#', kBlack}});
  c.stamp(x, y + 2, {".######."}, {{'#', kBlack}});
}

void drawKidSquintingEye(Canvas& c, double cx, int look) {
  drawKidOpenEye(c, cx, look);
  // The lid comes down to the middle of the eye; its edge is a heavy dark line.
  const Region lid = ellipse(cx, kKidEyeY, 4.6, 5.4);
  c.fillWhere([&](double x, double y) { return lid(x, y) && y < kKidEyeY - 0.5; }, kSkin);
  const int left = static_cast<int>(cx - 4.5);
  const int right = static_cast<int>(cx + 4.5);
  const int y = static_cast<int>(kKidEyeY - 0.5);
  c.line(left, y, right, y, kBlack);
  c.line(left + 1, y - 3, right - 1, y - 3, kHairShade);
}

void drawKidEyes(Canvas& c, KidFace face) {
  const double left = kMid - kKidEyeDx;
  const double right = kMid + kKidEyeDx;
  switch (face) {
    case KidFace::kGrin:
      drawKidOpenEye(c, left, 0);
      drawKidOpenEye(c, right, 0);
      break;
    case KidFace::kWinkTongue:
      drawKidWinkingEye(c, left);
      drawKidOpenEye(c, right, 0);
      break;
    case KidFace::kSquintFrown:
      drawKidSquintingEye(c, left, -2);
      drawKidSquintingEye(c, right, -2);
      break;
  }
}

void drawKidBuckTeeth(Canvas& c, int top, int height) {
  c.fillRect(15, top, 7, height, kWhite);
  c.line(18, top, 18, top + height - 1, kBlack);
}

void drawKidGrin(Canvas& c) {
  const Region mouth = [](double x, double y) {
    const double dx = x - kMid;
    const double top = 26.5 - dx * dx / 18.0;
    const double bottom = 26.5 + 4.5 * std::sqrt(std::max(0.0, 1.0 - dx * dx / 56.0));
    return std::abs(dx) <= 7.5 && y >= top && y <= bottom;
  };
  c.fillOutlinedWhere(mouth, kMouth, kBlack);
  c.fillEllipse(kMid, 30.5, 3.5, 1.2, kTongue);
  drawKidBuckTeeth(c, 26, 3);
}

void drawKidTongue(Canvas& c) {
  c.fillOutlinedEllipse(kMid + 1, 31, 3.5, 3.8, kTongue, kBlack);
  c.line(static_cast<int>(kMid) + 1, 29, static_cast<int>(kMid) + 1, 32, kTongueShade);
}

void drawKidFrown(Canvas& c) {
  const Region mouth = [](double x, double y) {
    const double dx = x - kMid;
    const double top = 27.0 + dx * dx / 9.0;
    return std::abs(dx) <= 6.5 && y >= top && y <= top + 2.5;
  };
  c.fillOutlinedWhere(mouth, kMouth, kBlack);
  drawKidBuckTeeth(c, 27, 2);
}

void drawKid(const AssetSink& sink, int frame, KidFace face) {
  Canvas c = spriteCanvas();
  drawKidHair(c);
  drawKidFace(c);
  drawKidEyes(c, face);
  switch (face) {
    case KidFace::kGrin:
      drawKidGrin(c);
      break;
    case KidFace::kWinkTongue:
      drawKidGrin(c);
      drawKidTongue(c);
      break;
    case KidFace::kSquintFrown:
      drawKidFrown(c);
      break;
  }
  saveHead(sink, 1, frame, c);
}

// ---- Head 2: the slimy skull ----------------------------------------------------------------

constexpr QRgb kBoneShade = qRgb(176, 176, 176);

enum class SkullEyes { kRound, kHollow, kStarry };

constexpr double kSkullEyeY = 17;
constexpr double kSkullEyeDx = 6;

struct Drip {
  int x;
  int length;
  QRgb colour;
};

constexpr std::array kSkullDrips = {
    Drip{5, 11, kDarkGreen}, Drip{9, 5, kRed},  Drip{14, 3, kDarkGreen}, Drip{18, 10, kRed},
    Drip{22, 4, kDarkGreen}, Drip{26, 6, kRed}, Drip{31, 9, kDarkGreen},
};

double skullHairline(double x) {
  const double u = (x - kMid) / 14.0;
  return 6.0 + 7.0 * u * u;
}

void drawSkullBone(Canvas& c) {
  const Region cranium = ellipse(kMid, 14, 13.5, 12.5);
  const Region jaw = [](double x, double y) {
    return std::abs(x - kMid) <= 8.5 && y >= 20 && y <= 33 - std::max(0.0, std::abs(x - kMid) - 6);
  };
  c.fillWhere([&](double x, double y) { return cranium(x, y) || jaw(x, y); }, kBoneShade);
  // Lit from the front: the grey is left only round the edges.
  const Region lit = ellipse(kMid, 13, 11.5, 11.5);
  c.fillWhere(
      [&](double x, double y) { return lit(x, y) || (jaw(x + 1, y) && jaw(x - 1, y) && y < 32); },
      kWhite);
  // Hollow temples where the skull narrows to the jaw.
  mirrored([&](int side) { c.fillEllipse(kMid + side * 11.5, 25, 2.2, 2.6, kBlack); });
}

void drawSkullTeeth(Canvas& c) {
  c.line(11, 28, 25, 28, kBlack);
  for (int x = 12; x <= 24; x += 3) {
    c.line(x, 26, x, 31, kBlack);
  }
  c.stamp(16, 21, {".#.#.", "##.##", ".#.#."}, {{'#', kBlack}});
}

void drawSkullHair(Canvas& c) {
  const Region cap = ellipse(kMid, 14, 14.5, 13.5);
  c.fillWhere([&](double x, double y) { return cap(x, y) && y <= skullHairline(x); }, kDarkGreen);
  for (const Drip& drip : kSkullDrips) {
    const int top = static_cast<int>(skullHairline(drip.x)) - 1;
    const int bottom = top + drip.length;
    c.fillRect(drip.x, top, 2, drip.length, drip.colour);
    c.stamp(drip.x - 1, bottom - 2, {".##.", "####", "####", ".##."}, {{'#', drip.colour}});
  }
  // Wet shine on the slime.
  const Region shine = ellipse(kMid, 13, 10, 9.5);
  const Region inside = ellipse(kMid, 13.6, 10, 9.5);
  c.fillWhere([&](double x, double y) { return shine(x, y) && !inside(x, y) && x < kMid - 1; },
              kBrightGreen);
}

void drawSkullEye(Canvas& c, double cx, SkullEyes eyes) {
  const int x = static_cast<int>(cx);
  const int y = static_cast<int>(kSkullEyeY);
  switch (eyes) {
    case SkullEyes::kRound:
      c.fillEllipse(cx, kSkullEyeY, 4.3, 4.3, kBlack);
      c.fillEllipse(cx, kSkullEyeY, 3.2, 3.2, kYellow);
      c.fillEllipse(cx, kSkullEyeY, 1.5, 1.5, kBlack);
      break;
    case SkullEyes::kHollow:
      c.fillEllipse(cx, kSkullEyeY, 4.6, 4.6, kBlack);
      break;
    case SkullEyes::kStarry:
      c.fillEllipse(cx, kSkullEyeY, 4.6, 4.6, kRed);
      c.fillEllipse(cx, kSkullEyeY, 3.5, 3.5, kBlack);
      c.stamp(x - 3, y - 3,
              {"...#...", ".#.#.#.", "..###..", "#######", "..###..", ".#.#.#.", "...#..."},
              {{'#', kYellow}});
      break;
  }
}

void drawSkull(const AssetSink& sink, int frame, SkullEyes eyes) {
  Canvas c = spriteCanvas();
  drawSkullBone(c);
  drawSkullTeeth(c);
  mirrored([&](int side) { drawSkullEye(c, kMid + side * kSkullEyeDx, eyes); });
  drawSkullHair(c);
  saveHead(sink, 2, frame, c);
}

// ---- Head 3: the spiky monster --------------------------------------------------------------

constexpr QRgb kLips = qRgb(255, 190, 200);
constexpr QRgb kLipsShade = qRgb(230, 120, 150);

enum class MonsterMouth { kRoar, kGrin, kPout };

constexpr int kMonsterHalf = 10;  // the square head spans kMid +- kMonsterHalf

// Spikes round the square head: in the direction of each spike the rim reaches out to `peak`
// (measured as the distance from the centre along the square's axes), between them only to
// `valley`. `offset` 0 puts spikes on the axes and corners, 1 halfway between.
Region spikyRim(int spikes, int offset, double valley, double peak) {
  return [=](double x, double y) {
    const double dx = x - kMid;
    const double dy = y - kMid;
    const double turns = std::atan2(std::abs(dy), std::abs(dx)) * spikes / (2 * std::numbers::pi);
    const double fromSpike = std::abs(std::remainder(turns - 0.5 * offset, 1.0)) * 2;
    return std::max(std::abs(dx), std::abs(dy)) <= peak - (peak - valley) * fromSpike;
  };
}

void drawMonsterRim(Canvas& c, QRgb inner) {
  c.fillWhere(spikyRim(16, 0, 12.5, 18), kYellow);
  c.fillWhere(spikyRim(16, 1, 11.5, 15.5), inner);
  constexpr int kLeft = kSpriteCentre - kMonsterHalf;
  constexpr int kSide = 2 * kMonsterHalf + 1;
  c.fillRect(kLeft - 1, kLeft - 1, kSide + 2, kSide + 2, kBlack);
  c.fillRect(kLeft, kLeft, kSide, kSide, kDarkGreen);
}

void drawMonsterEyes(Canvas& c, QRgb eye) {
  mirrored([&](int side) {
    const double cx = kMid + side * 5;
    c.fillOutlinedEllipse(cx, 15, 2.6, 2.6, eye, kBlack);
    c.plot(static_cast<int>(cx) - side, 15, kBlack);
    c.plot(static_cast<int>(cx) - side, 16, kBlack);
    // Heavy brows slanting down to the nose.
    c.line(static_cast<int>(kMid) + side * 8, 10, static_cast<int>(kMid) + side * 2, 12, kBlack);
    c.line(static_cast<int>(kMid) + side * 8, 11, static_cast<int>(kMid) + side * 2, 13, kBlack);
  });
}

void drawMonsterRoar(Canvas& c) {
  c.fillOutlinedEllipse(kMid, 23.5, 6, 3.5, kRed, kBlack);
  c.stamp(12, 20, {".##.....##.", "..#.....#.."}, {{'#', kWhite}});
  c.stamp(14, 26, {"..#...#..", ".##...##."}, {{'#', kWhite}});
}

void drawMonsterGrin(Canvas& c) {
  const Region grin = [](double x, double y) {
    const double dx = x - kMid;
    const double top = 21.0 - dx * dx / 32.0;
    const double bottom = 22.0 + 4.5 * std::sqrt(std::max(0.0, 1.0 - dx * dx / 72.0));
    return std::abs(dx) <= 8.5 && y >= top && y <= bottom;
  };
  c.fillOutlinedWhere(grin, kWhite, kBlack);
  // Gaps between the teeth, and between the upper and lower row.
  c.fillWhere(
      [&](double x, double y) {
        return grin(x, y) && (y == 23 || static_cast<int>(x - kMid) % 3 == 0);
      },
      kBlack);
}

void drawMonsterLips(Canvas& c) {
  const Region upper = [](double x, double y) {
    return ellipse(kMid - 3, 22, 4, 2.2)(x, y) || ellipse(kMid + 3, 22, 4, 2.2)(x, y);
  };
  const Region lower = ellipse(kMid, 25, 6.5, 2.6);
  c.fillOutlinedWhere([&](double x, double y) { return upper(x, y) || lower(x, y); }, kLips,
                      kBlack);
  c.line(12, 24, 24, 24, kBlack);
  c.stamp(15, 26, {"ww"}, {{'w', kWhite}});
  c.stamp(16, 21, {"s...s"}, {{'s', kLipsShade}});
}

void drawMonster(const AssetSink& sink, int frame, MonsterMouth mouth) {
  Canvas c = spriteCanvas();
  drawMonsterRim(c, mouth == MonsterMouth::kRoar ? kBrightGreen : kRed);
  drawMonsterEyes(c, mouth == MonsterMouth::kPout ? kWhite : kYellow);
  switch (mouth) {
    case MonsterMouth::kRoar:
      drawMonsterRoar(c);
      break;
    case MonsterMouth::kGrin:
      drawMonsterGrin(c);
      break;
    case MonsterMouth::kPout:
      drawMonsterLips(c);
      break;
  }
  saveHead(sink, 3, frame, c);
}

}  // namespace

void drawHeads(const AssetSink& sink) {
  drawKid(sink, 1, KidFace::kGrin);
  drawKid(sink, 2, KidFace::kWinkTongue);
  drawKid(sink, 3, KidFace::kSquintFrown);
  drawSkull(sink, 1, SkullEyes::kRound);
  drawSkull(sink, 2, SkullEyes::kHollow);
  drawSkull(sink, 3, SkullEyes::kStarry);
  drawMonster(sink, 1, MonsterMouth::kRoar);
  drawMonster(sink, 2, MonsterMouth::kGrin);
  drawMonster(sink, 3, MonsterMouth::kPout);
}

}  // namespace artgen
