// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// Small building blocks for the effects; everything is deterministic.
namespace soundgen {

// White noise in [-1, 1) from a fixed seed (xorshift64*), the same on every machine.
class Noise {
 public:
  explicit Noise(uint64_t seed) : state_(seed == 0 ? 1 : seed) {}
  double Next();

 private:
  uint64_t state_;
};

// A second-order filter whose corner can move every sample (for sweeps).
class Biquad {
 public:
  void SetLowPass(double cutoff_hz, double q, double sample_rate);
  void SetBandPass(double centre_hz, double q, double sample_rate);
  double Process(double x);

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Removes any offset from zero that filtering and soft clipping leave behind.
class DcBlocker {
 public:
  explicit DcBlocker(double cutoff_hz, double sample_rate);
  double Process(double x);

 private:
  double r_;
  double x1_ = 0, y1_ = 0;
};

// 0 at t = 0 rising linearly to 1 at `attack` seconds, then exp(-t / decay).
double AttackDecay(double t, double attack, double decay);

// Soft saturation that keeps 1 at 1: adds weight without hard clipping.
double Saturate(double x, double drive);

// Raised-cosine fade over the last `seconds`, ending on an exact zero.
void FadeOut(std::vector<double>& samples, double seconds, double sample_rate);

// Scales so the largest magnitude is `peak`.
void Normalise(std::vector<double>& samples, double peak);

}  // namespace soundgen
