// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soundgen/dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundgen {

double Noise::Next() {
  state_ ^= state_ >> 12U;
  state_ ^= state_ << 25U;
  state_ ^= state_ >> 27U;
  const uint64_t bits = state_ * 0x2545F4914F6CDD1DULL;
  // The top 53 bits give an exact double in [0, 1).
  return static_cast<double>(bits >> 11U) * 0x1.0p-53 * 2.0 - 1.0;
}

// Coefficients after the well-known "audio EQ cookbook" formulas.
void Biquad::SetLowPass(double cutoff_hz, double q, double sample_rate) {
  const double w0 = 2.0 * std::numbers::pi * cutoff_hz / sample_rate;
  const double cosw = std::cos(w0);
  const double alpha = std::sin(w0) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  b0_ = (1.0 - cosw) / 2.0 / a0;
  b1_ = (1.0 - cosw) / a0;
  b2_ = b0_;
  a1_ = -2.0 * cosw / a0;
  a2_ = (1.0 - alpha) / a0;
}

void Biquad::SetBandPass(double centre_hz, double q, double sample_rate) {
  const double w0 = 2.0 * std::numbers::pi * centre_hz / sample_rate;
  const double alpha = std::sin(w0) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  b0_ = alpha / a0;
  b1_ = 0.0;
  b2_ = -alpha / a0;
  a1_ = -2.0 * std::cos(w0) / a0;
  a2_ = (1.0 - alpha) / a0;
}

double Biquad::Process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

DcBlocker::DcBlocker(double cutoff_hz, double sample_rate)
    : r_(1.0 - 2.0 * std::numbers::pi * cutoff_hz / sample_rate) {}

double DcBlocker::Process(double x) {
  const double y = x - x1_ + r_ * y1_;
  x1_ = x;
  y1_ = y;
  return y;
}

double AttackDecay(double t, double attack, double decay) {
  if (t < attack) {
    return t / attack;
  }
  return std::exp(-(t - attack) / decay);
}

double Saturate(double x, double drive) { return std::tanh(drive * x) / std::tanh(drive); }

void FadeOut(std::vector<double>& samples, double seconds, double sample_rate) {
  const auto frames = std::min(samples.size(), static_cast<size_t>(seconds * sample_rate));
  if (frames == 0) {
    return;
  }
  const size_t start = samples.size() - frames;
  for (size_t i = 0; i < frames; ++i) {
    // Runs from 1 down to exactly 0 on the last sample.
    const double phase = static_cast<double>(i + 1) / static_cast<double>(frames);
    samples[start + i] *= 0.5 * (1.0 + std::cos(std::numbers::pi * phase));
  }
}

void Normalise(std::vector<double>& samples, double peak) {
  double largest = 0.0;
  for (const double s : samples) {
    largest = std::max(largest, std::abs(s));
  }
  if (largest == 0.0) {
    return;
  }
  const double gain = peak / largest;
  for (double& s : samples) {
    s *= gain;
  }
}

}  // namespace soundgen
