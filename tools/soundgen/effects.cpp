// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/soundgen/effects.h"

#include <cmath>
#include <numbers>

#include "tools/soundgen/dsp.h"

namespace soundgen {
namespace {

constexpr double kRate = kSampleRate;
// Just under full scale (-1 dBFS), so players' mixers never clip.
constexpr double kPeak = 0.89;

std::vector<double> Silence(double seconds) {
  return std::vector<double>(static_cast<size_t>(seconds * kRate), 0.0);
}

// Frequency gliding exponentially from start_hz towards end_hz.
double Glide(double t, double start_hz, double end_hz, double time_constant) {
  return end_hz + (start_hz - end_hz) * std::exp(-t / time_constant);
}

void Finish(std::vector<double>& samples, double fade_seconds) {
  DcBlocker dc(12.0, kRate);
  for (double& s : samples) {
    s = dc.Process(s);
  }
  FadeOut(samples, fade_seconds, kRate);
  Normalise(samples, kPeak);
}

}  // namespace

std::vector<double> SynthesiseFire() {
  std::vector<double> out = Silence(0.22);
  Noise noise(0x5EED0F12EULL);
  Biquad crack;
  Biquad air;
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double n = noise.Next();

    // The crack: noise through a band that falls from bright to dull.
    crack.SetBandPass(Glide(t, 5500.0, 350.0, 0.02), 1.1, kRate);
    const double crack_part = crack.Process(n) * AttackDecay(t, 0.0008, 0.035);

    // A few milliseconds of unfiltered hiss make the front edge snap.
    air.SetLowPass(9000.0, 0.7, kRate);
    const double snap = air.Process(n) * AttackDecay(t, 0.0004, 0.004);

    // The "pew": a slightly gritty tone whose pitch drops quickly.
    phase += 2.0 * std::numbers::pi * Glide(t, 1500.0, 170.0, 0.028) / kRate;
    const double tone = std::tanh(2.5 * std::sin(phase)) * AttackDecay(t, 0.001, 0.045);

    out[i] = Saturate(1.4 * crack_part + 0.35 * snap + 0.45 * tone, 1.5);
  }
  Finish(out, 0.03);
  return out;
}

std::vector<double> SynthesiseExplosion() {
  std::vector<double> out = Silence(0.95);
  Noise noise(0xB00A7ULL);
  Noise wobble_noise(0x2E3B1EULL);
  Noise debris_noise(0xDEB415ULL);
  Biquad impact_filter;
  Biquad rumble_a;
  Biquad rumble_b;
  Biquad wobble;
  Biquad debris_filter;
  impact_filter.SetLowPass(3500.0, 0.7, kRate);
  wobble.SetLowPass(7.0, 0.7, kRate);
  debris_filter.SetBandPass(1400.0, 2.0, kRate);
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double n = noise.Next();

    // The blast front: a short burst of darkish noise.
    const double impact = impact_filter.Process(n) * AttackDecay(t, 0.001, 0.015);

    // The boom: a sine sinking from a thump into a sub-bass tail.
    phase += 2.0 * std::numbers::pi * Glide(t, 110.0, 38.0, 0.1) / kRate;
    const double boom = std::sin(phase) * AttackDecay(t, 0.004, 0.2);

    // The rumble: noise through two low-passes that close as it dies, with a slow
    // random swell so it rolls rather than hisses.
    const double cutoff = Glide(t, 1800.0, 110.0, 0.14);
    rumble_a.SetLowPass(cutoff, 0.7, kRate);
    rumble_b.SetLowPass(cutoff, 0.9, kRate);
    const double swell = 1.0 + 6.0 * wobble.Process(wobble_noise.Next());
    const double rumble =
        rumble_b.Process(rumble_a.Process(n)) * swell * AttackDecay(t, 0.003, 0.24);

    // Debris: sparse clicks rung through a narrow band, thinning out and fading.
    const double chance = 0.015 * std::exp(-t / 0.12);
    const double pick = 0.5 * (debris_noise.Next() + 1.0);
    const double click = pick < chance ? debris_noise.Next() : 0.0;
    const double debris = debris_filter.Process(click) * AttackDecay(t, 0.005, 0.1);

    out[i] = Saturate(0.8 * impact + 0.9 * boom + 2.2 * rumble + 0.5 * debris, 1.6);
  }
  Finish(out, 0.12);
  return out;
}

}  // namespace soundgen
