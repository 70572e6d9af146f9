// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace headpop {

// A picture as the program embeds it: this header, then its rows of 32-bit pixels
// (QImage::Format_RGB32, or Format_ARGB32 where it has transparency; the machine's byte
// order; no padding). The program shows it where it lies, without decoding anything:
// decoding the pictures was a fifth of the time the window took to open.
struct BakedPictureHeader {
  char magic[4];
  uint32_t width;
  uint32_t height;
  uint32_t format;  // a QImage::Format
};

inline constexpr char kBakedPictureMagic[4] = {'H', 'P', 'I', 'X'};
// Larger than any picture of the game, small enough that width x height x 4 cannot overflow.
inline constexpr uint32_t kBakedPictureMaxSide = 4096;

}  // namespace headpop
