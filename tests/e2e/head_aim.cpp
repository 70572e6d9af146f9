// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "head_aim.h"

#include <algorithm>
#include <vector>

namespace headpop::test_support {
namespace {

struct Blob {
  int left = 0, top = 0, right = 0, bottom = 0, area = 0;
  int leftTop = 0;  // the highest of its pixels in its leftmost column
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

// Which playfield pixels differ from the background and are not yet part of a blob.
class Mask {
 public:
  Mask(int width, int height)
      : width_(width), height_(height), bits_(static_cast<size_t>(width) * height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  char& At(int x, int y) { return bits_[static_cast<size_t>(y) * width_ + x]; }

 private:
  int width_;
  int height_;
  std::vector<char> bits_;
};

// The 8-connected blob of differing pixels that holds (x, y); takes it out of the mask.
Blob TakeBlob(Mask& mask, int x, int y) {
  Blob blob{x, y, x, y, 0, y};
  std::vector<QPoint> stack{QPoint(x, y)};
  mask.At(x, y) = 0;
  while (!stack.empty()) {
    const QPoint at = stack.back();
    stack.pop_back();
    ++blob.area;
    if (at.x() < blob.left || (at.x() == blob.left && at.y() < blob.leftTop)) {
      blob.leftTop = at.y();
    }
    blob.left = std::min(blob.left, at.x());
    blob.right = std::max(blob.right, at.x());
    blob.top = std::min(blob.top, at.y());
    blob.bottom = std::max(blob.bottom, at.y());
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = at.x() + dx;
        const int ny = at.y() + dy;
        if (mask.Inside(nx, ny) && mask.At(nx, ny) != 0) {
          mask.At(nx, ny) = 0;
          stack.emplace_back(nx, ny);
        }
      }
    }
  }
  return blob;
}

}  // namespace

// Where to shoot: across the middle of the largest blob that is one head seen well (no
// larger than a head, not a sliver at an edge), a third of the way down; the head rises 10
// pixels a tick, so the point stays on it for two ticks. Heads that rise side by side show
// as one blob for their whole flight; then the aim is at the leftmost of them, a head's
// half width in from the blob's left edge, at the height where that edge is: that head's
// middle.
std::optional<QPoint> AimPoint(const QImage& shot, const QImage& background, int headSize) {
  Mask mask(background.width(), background.height());
  for (int y = 0; y < mask.Height(); ++y) {
    const auto* live = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    const auto* back = reinterpret_cast<const QRgb*>(background.constScanLine(y));
    for (int x = 0; x < mask.Width(); ++x) {
      mask.At(x, y) = live[x] != back[x] ? 1 : 0;
    }
  }
  std::optional<Blob> best;
  std::optional<Blob> cluster;
  for (int y = 0; y < mask.Height(); ++y) {
    for (int x = 0; x < mask.Width(); ++x) {
      if (mask.At(x, y) == 0) {
        continue;
      }
      const Blob blob = TakeBlob(mask, x, y);
      const bool oneHead = blob.Width() <= headSize && blob.Height() <= headSize;
      const bool wholeEnough = blob.Width() >= headSize / 2 && blob.Height() >= headSize / 2;
      if (!wholeEnough) {
        continue;
      }
      if (oneHead && (!best || blob.area > best->area)) {
        best = blob;
      }
      if (!oneHead && (!cluster || blob.area > cluster->area)) {
        cluster = blob;
      }
    }
  }
  if (best) {
    return QPoint((best->left + best->right) / 2, best->top + best->Height() / 3);
  }
  if (cluster) {
    return QPoint(cluster->left + headSize / 2, cluster->leftTop);
  }
  return std::nullopt;
}

}  // namespace headpop::test_support
