// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window icon, a bearded head on white, drawn afresh at each size. Both painters share
// the shapes below, in unit coordinates (0..1 across the icon, v downwards), so every size
// shows the same head.

#include <QImage>
#include <QRgb>

namespace artgen::icon {

constexpr QRgb kHair = qRgb(52, 34, 22);
constexpr QRgb kSkin = qRgb(238, 192, 152);
constexpr QRgb kSkinShade = qRgb(204, 146, 108);
constexpr QRgb kEye = qRgb(40, 28, 20);
constexpr QRgb kLips = qRgb(176, 76, 64);
constexpr QRgb kShirt = qRgb(44, 76, 150);

constexpr double kMid = 0.5;
constexpr double kEyeY = 0.45;
constexpr double kEyeOffset = 0.11;
constexpr double kNoseY = 0.6;
constexpr double kMouthY = 0.74;

inline bool inEllipse(double u, double v, double cx, double cy, double rx, double ry) {
  const double x = (u - cx) / rx;
  const double y = (v - cy) / ry;
  return x * x + y * y <= 1.0;
}

inline bool shirt(double u, double v) { return inEllipse(u, v, kMid, 1.08, 0.48, 0.24); }
inline bool hair(double u, double v) { return inEllipse(u, v, kMid, 0.42, 0.36, 0.39); }
inline bool ears(double u, double v) {
  return inEllipse(u, v, 0.22, 0.5, 0.06, 0.09) || inEllipse(u, v, 0.78, 0.5, 0.06, 0.09);
}
inline bool face(double u, double v) {
  return inEllipse(u, v, kMid, 0.52, 0.27, 0.34) && v >= 0.27;
}
// A full beard from the cheekbones down, leaving the cheeks and a gap for the lips.
inline bool beard(double u, double v) {
  return inEllipse(u, v, kMid, 0.62, 0.29, 0.35) && v > 0.56 &&
         !inEllipse(u, v, kMid, 0.5, 0.2, 0.15);
}

// Whole pixels in one colour each, for the sizes where every pixel counts (16 and 32).
QImage drawPixelIcon(int size);

// What lies behind the head of a large icon.
enum class Backdrop {
  // A rounded white tile with clear corners, as a desktop's menus and launchers show icons.
  kTile,
  // White to every edge and opaque, as the window's own icon is.
  kSquare,
};

// Supersampled, with soft edges, shading and the small details that large sizes have room
// for: strands of hair, eyes with irises and lights, nostrils and two lips.
QImage drawSmoothIcon(int size, Backdrop backdrop);

}  // namespace artgen::icon
