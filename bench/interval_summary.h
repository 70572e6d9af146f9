// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How regularly a timer ticked: the summaries that the game driver and the bare reference
// timer print alike, so that the two are comparable figure for figure.
#ifndef HEADPOP_BENCH_INTERVAL_SUMMARY_H
#define HEADPOP_BENCH_INTERVAL_SUMMARY_H

#include <cstdio>
#include <vector>

namespace headpop::bench {

struct IntervalSummary {
  int count = 0;
  double meanMs = 0;
  double p99DeviationMs = 0;  // 99th percentile of |interval - nominal|
  double worstDeviationMs = 0;
};
IntervalSummary Summarise(std::vector<double> intervalsMs, double nominalMs);

struct LatenessSummary {
  int count = 0;
  double meanMs = 0;  // signed: early ticks count against late ones
  double p99Ms = 0;   // 99th percentile of |lateness|
  double worstMs = 0;
};
LatenessSummary SummariseLateness(std::vector<double> latenessMs);

// One line, "NAME nominal_ms= count= mean_ms= p99_dev_ms= worst_dev_ms=", as run_bench.sh
// reads it.
void PrintSummary(std::FILE* out, const char* name, const IntervalSummary& s, double nominalMs);

}  // namespace headpop::bench

#endif  // HEADPOP_BENCH_INTERVAL_SUMMARY_H
