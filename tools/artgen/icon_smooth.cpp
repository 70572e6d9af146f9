// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The large icons (48 pixels and up): each pixel is the average of 4 x 4 samples of one scene,
// drawn at the icon's own size. The scene is the small icon's head with the details that a
// desktop's launcher sizes have room for; the finest (strands of hair, lights in the eyes)
// only from 128 pixels up, where they do not turn into noise.

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

#include "icon_parts.h"

namespace artgen::icon {
namespace {

constexpr int kSamples = 4;  // per pixel and axis
constexpr int kFineSize = 128;

constexpr QRgb kClear = qRgba(0, 0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kTileBottom = qRgb(236, 240, 246);
constexpr QRgb kTileRim = qRgb(168, 174, 186);
constexpr QRgb kOutline = qRgb(30, 20, 12);
constexpr QRgb kHairStrand = qRgb(88, 60, 40);
constexpr QRgb kHairLight = qRgb(124, 90, 62);
constexpr QRgb kHairDark = qRgb(34, 22, 14);
constexpr QRgb kBlush = qRgb(236, 160, 138);
constexpr QRgb kSkinLight = qRgb(250, 216, 184);
constexpr QRgb kNostril = qRgb(132, 78, 56);
constexpr QRgb kIris = qRgb(92, 60, 36);
constexpr QRgb kUpperLip = qRgb(146, 58, 48);
constexpr QRgb kLipLight = qRgb(214, 122, 106);
constexpr QRgb kMouthLine = qRgb(86, 28, 24);
constexpr QRgb kShirtLight = qRgb(78, 116, 196);
constexpr QRgb kShirtDark = qRgb(28, 50, 104);
constexpr QRgb kCollar = qRgb(232, 238, 246);

QRgb mix(QRgb from, QRgb to, double t) {
  const double f = std::clamp(t, 0.0, 1.0);
  const auto channel = [f](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
  return qRgba(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
               channel(qBlue(from), qBlue(to)), channel(qAlpha(from), qAlpha(to)));
}

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// 1 at the centre of an ellipse, falling smoothly to 0 at its edge.
double glow(double u, double v, double cx, double cy, double rx, double ry) {
  return 1 - smoothstep(0.0, 1.0, std::hypot((u - cx) / rx, (v - cy) / ry));
}

double fraction(double x) { return x - std::floor(x); }

// A fixed hash of an integer to [0, 1): irregular texture that is the same on every run.
double noise(int i) {
  std::uint32_t h = static_cast<std::uint32_t>(i) * 73856093U;
  h ^= h >> 13U;
  h *= 0x5bd1e995U;
  h ^= h >> 15U;
  return static_cast<double>(h & 0xFFFFU) / 65536.0;
}

// ---- The rounded tile behind the head --------------------------------------------------------

constexpr double kTileMargin = 0.02;
constexpr double kTileRadius = 0.12;
constexpr double kTileRimWidth = 0.012;

// Distance inside the tile's edge (negative outside).
double insideTile(double u, double v) {
  const double half = 0.5 - kTileMargin - kTileRadius;
  const double dx = std::max(std::abs(u - kMid) - half, 0.0);
  const double dy = std::max(std::abs(v - kMid) - half, 0.0);
  return std::min({kTileRadius - std::hypot(dx, dy), 0.5 - kTileMargin - std::abs(u - kMid),
                   0.5 - kTileMargin - std::abs(v - kMid)});
}

bool silhouette(double u, double v) {
  return shirt(u, v) || hair(u, v) || ears(u, v) || face(u, v) || beard(u, v);
}

// ---- Hair ------------------------------------------------------------------------------------

// Locks hanging onto the forehead.
bool locks(double u, double v) {
  const double lock = 1 - std::abs(2 * fraction((u - kMid) / 0.09 + 0.5) - 1);
  return face(u, v) && v < 0.27 + 0.045 * std::pow(lock, 1.5);
}

// Sideburns down the sides of the face, meeting the beard round the cheeks, so that the
// bare skin is an oval.
bool sideburns(double u, double v) {
  const bool bare = inEllipse(u, v, kMid, 0.46, 0.203, 0.31) &&
                    (v <= 0.5 || inEllipse(u, v, kMid, 0.5, 0.2, 0.15));
  return face(u, v) && !bare;
}

// Two lobes over the lips.
bool moustache(double u, double v) {
  return v < kMouthY + 0.012 && (inEllipse(u, v, kMid - 0.042, kMouthY, 0.062, 0.026) ||
                                 inEllipse(u, v, kMid + 0.042, kMouthY, 0.062, 0.026));
}

// A sheen across the crown, along the curve of the head.
double crownSheen(double u, double v) {
  const double ring = std::hypot((u - kMid) / 0.36, (v - 0.42) / 0.39);
  return (1 - smoothstep(0.05, 0.16, std::abs(ring - 0.8))) * glow(u, v, 0.36, 0.12, 0.2, 0.14);
}

// ---- Face ------------------------------------------------------------------------------------

constexpr double kEyeCentreY = kEyeY + 0.02;
constexpr double kEyeRx = 0.058;
constexpr double kEyeRy = 0.03;

QRgb skinColour(double u, double v) {
  // Rounded: the sides of the face turn away from the light.
  QRgb colour = mix(kSkin, kSkinShade, 0.75 * smoothstep(0.55, 1.0, std::abs(u - kMid) / 0.27));
  for (const double cx : {kMid - 0.135, kMid + 0.135}) {
    colour = mix(colour, kBlush, 0.6 * glow(u, v, cx, 0.585, 0.05, 0.028));
  }
  return colour;
}

QRgb earColour(double u, double v) {
  const double cx = u < kMid ? 0.225 : 0.775;
  return inEllipse(u, v, cx, 0.505, 0.028, 0.055) ? kSkinShade : kSkin;
}

QRgb shirtColour(double u, double v) {
  if (!inEllipse(u, v, kMid, 1.11, 0.47, 0.235)) {
    return kCollar;  // a band along the neckline
  }
  const double light = std::hypot((u - kMid) / 0.3, (v - 0.9) / 0.12);
  return mix(mix(kShirtLight, kShirt, smoothstep(0.0, 1.0, light)), kShirtDark,
             smoothstep(0.3, 0.46, std::abs(u - kMid)));
}

QRgb noseColour(double u, double v, QRgb under) {
  for (const double side : {-1.0, 1.0}) {
    if (inEllipse(u, v, kMid + side * 0.022, kNoseY + 0.01, 0.012, 0.0075)) {
      return kNostril;
    }
  }
  if (inEllipse(u, v, kMid - 0.01, kNoseY - 0.008, 0.016, 0.01)) {
    return kSkinLight;  // the tip catches the light
  }
  if (inEllipse(u, v, kMid, kNoseY, 0.05, 0.028)) {
    return mix(under, kSkinShade, 0.5 + 0.5 * smoothstep(kNoseY - 0.028, kNoseY + 0.02, v));
  }
  // The bridge, shaded on one side.
  if (inEllipse(u, v, kMid + 0.016, kNoseY - 0.06, 0.009, 0.05)) {
    return mix(under, kSkinShade, 0.7);
  }
  return under;
}

QRgb mouthColour(double u, double v, QRgb under) {
  constexpr double kLineY = kMouthY + 0.012;
  if (std::abs(v - kLineY) < 0.0035 && std::abs(u - kMid) < 0.06) {
    return kMouthLine;
  }
  if (v < kLineY && inEllipse(u, v, kMid, kLineY, 0.065, 0.014)) {
    return kUpperLip;
  }
  if (v > kLineY && inEllipse(u, v, kMid, kLineY, 0.058, 0.026)) {
    return mix(kLips, kLipLight, glow(u, v, kMid, kLineY + 0.012, 0.035, 0.01));
  }
  return under;
}

// The head at one size: line widths never drop below a pixel, and the finest details only
// come in where they have pixels enough.
class Scene {
 public:
  Scene(int size, Backdrop backdrop)
      : tile_(backdrop == Backdrop::kTile),
        fine_(size >= kFineSize),
        outline_(std::max(0.014, 1.0 / size)),
        lash_(std::max(0.009, 1.2 / size)) {}

  QRgb at(double u, double v) const {
    if (tile_ && insideTile(u, v) < 0) {
      return kClear;
    }
    QRgb c = mix(kWhite, kTileBottom, v);
    if (outline(u, v)) {
      c = kOutline;
    }
    if (shirt(u, v)) {
      c = shirtColour(u, v);
    }
    if (hair(u, v)) {
      c = hairColour(u, v);
    }
    if (ears(u, v)) {
      c = earColour(u, v);
    }
    if (face(u, v)) {
      c = skinColour(u, v);
    }
    if (locks(u, v)) {
      c = hairColour(u, v);
    }
    if (sideburns(u, v) || beard(u, v)) {
      c = beardColour(u, v);
    }
    if (moustache(u, v)) {
      c = mix(kHairLight, kHair, smoothstep(kMouthY - 0.03, kMouthY + 0.008, v));
    }
    c = mouthColour(u, v, noseColour(u, v, eyeColour(u, v, c)));
    // The rim frames everything, the head included.
    return tile_ && insideTile(u, v) < kTileRimWidth ? kTileRim : c;
  }

 private:
  // A dark line around the figure, so the ears and the shirt stand off the white tile.
  bool outline(double u, double v) const {
    if (silhouette(u, v)) {
      return false;
    }
    const double d = outline_;
    const double e = d * 0.7071;
    const std::array<std::pair<double, double>, 8> around = {
        {{d, 0}, {-d, 0}, {0, d}, {0, -d}, {e, e}, {e, -e}, {-e, e}, {-e, -e}}};
    return std::any_of(around.begin(), around.end(),
                       [&](const auto& o) { return silhouette(u + o.first, v + o.second); });
  }

  // Strands sweep up and round from below the face.
  QRgb hairColour(double u, double v) const {
    QRgb colour = kHair;
    if (fine_) {
      const double angle = std::atan2(v - 0.8, u - kMid) + 0.35 * (v - 0.42);
      const double wave = 0.3 * noise(static_cast<int>(std::floor(angle * 40)));
      if (fraction(angle * 13 + wave) < 0.16) {
        colour = mix(kHair, kHairStrand, 0.75);
      }
    }
    return mix(colour, kHairLight, 0.55 * crownSheen(u, v));
  }

  // The beard falls in wavy strands, darker towards its lower edge.
  QRgb beardColour(double u, double v) const {
    QRgb colour = kHair;
    if (fine_) {
      const double s = fraction((u - kMid) * 20 + 0.45 * std::sin(v * 34 + 3 * (u - kMid)));
      if (s < 0.14) {
        colour = mix(kHair, kHairStrand, 0.7);
      } else if (s > 0.55 && s < 0.64) {
        colour = mix(kHair, kHairDark, 0.6);
      }
    }
    return mix(colour, kHairDark, smoothstep(0.8, 0.96, v));
  }

  // White with an iris, a pupil and (when fine) a light, under a heavy arched brow.
  QRgb eyeColour(double u, double v, QRgb under) const {
    for (const double cx : {kMid - kEyeOffset, kMid + kEyeOffset}) {
      if (inEllipse(u, v, cx, kEyeCentreY - 0.035, 0.078, 0.04) &&
          !inEllipse(u, v, cx, kEyeCentreY - 0.02, 0.078, 0.04) && v < kEyeCentreY - 0.03) {
        return kHair;
      }
      if (!inEllipse(u, v, cx, kEyeCentreY, kEyeRx + lash_, kEyeRy + lash_)) {
        continue;
      }
      if (!inEllipse(u, v, cx, kEyeCentreY, kEyeRx, kEyeRy)) {
        // The lash line above the eye, a soft shade below it.
        return v < kEyeCentreY ? kEye : mix(under, kSkinShade, 0.6);
      }
      const double r = std::hypot(u - cx, v - kEyeCentreY);
      if (fine_ && std::hypot(u - (cx - 0.009), v - (kEyeCentreY - 0.009)) < 0.0075) {
        return kWhite;
      }
      if (r < (fine_ ? 0.013 : 0.017)) {
        return kEye;
      }
      if (r < 0.027) {
        return fine_ ? mix(kIris, kEye, 0.6 * smoothstep(0.013, 0.027, r)) : kIris;
      }
      // The upper lid casts a little shade on the white.
      return mix(kWhite, kSkinShade, 0.5 * smoothstep(kEyeCentreY, kEyeCentreY - kEyeRy, v));
    }
    return under;
  }

  bool tile_;
  bool fine_;
  double outline_;
  double lash_;
};

}  // namespace

QImage drawSmoothIcon(int size, Backdrop backdrop) {
  const Scene scene(size, backdrop);
  QImage image(size, size, QImage::Format_ARGB32);
  const double step = 1.0 / (size * kSamples);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // Premultiplied sums, so that clear samples at the corners do not darken the rim.
      double r = 0;
      double g = 0;
      double b = 0;
      double a = 0;
      for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
          const QRgb s = scene.at((x * kSamples + i + 0.5) * step, (y * kSamples + j + 0.5) * step);
          const double alpha = qAlpha(s) / 255.0;
          r += qRed(s) * alpha;
          g += qGreen(s) * alpha;
          b += qBlue(s) * alpha;
          a += alpha;
        }
      }
      const auto channel = [a](double sum) {
        return a > 0 ? static_cast<int>(std::lround(sum / a)) : 0;
      };
      image.setPixel(x, y,
                     qRgba(channel(r), channel(g), channel(b),
                           static_cast<int>(std::lround(255 * a / (kSamples * kSamples)))));
    }
  }
  // Every sample of a square is opaque: stored without an alpha channel.
  return backdrop == Backdrop::kSquare ? image.convertToFormat(QImage::Format_RGB32) : image;
}

}  // namespace artgen::icon
