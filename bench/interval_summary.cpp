// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/interval_summary.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace headpop::bench {

namespace {

double Mean(const std::vector<double>& values) {
  return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// Nearest rank: the smallest value that at least 99 % of them keep to. Sorts `values`.
double Percentile99(std::vector<double>& values) {
  std::sort(values.begin(), values.end());
  const auto rank = static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(values.size())));
  return values[std::max<std::size_t>(rank, 1) - 1];
}

}  // namespace

IntervalSummary Summarise(std::vector<double> intervalsMs, double nominalMs) {
  IntervalSummary summary;
  summary.count = static_cast<int>(intervalsMs.size());
  if (intervalsMs.empty()) {
    return summary;
  }
  summary.meanMs = Mean(intervalsMs);
  for (double& interval : intervalsMs) {
    interval = std::fabs(interval - nominalMs);
  }
  summary.p99DeviationMs = Percentile99(intervalsMs);
  summary.worstDeviationMs = intervalsMs.back();
  return summary;
}

LatenessSummary SummariseLateness(std::vector<double> latenessMs) {
  LatenessSummary summary;
  summary.count = static_cast<int>(latenessMs.size());
  if (latenessMs.empty()) {
    return summary;
  }
  summary.meanMs = Mean(latenessMs);
  for (double& late : latenessMs) {
    late = std::fabs(late);
  }
  summary.p99Ms = Percentile99(latenessMs);
  summary.worstMs = latenessMs.back();
  return summary;
}

void PrintSummary(std::FILE* out, const char* name, const IntervalSummary& s, double nominalMs) {
  std::fprintf(out, "%s nominal_ms=%.0f count=%d mean_ms=%.3f p99_dev_ms=%.3f worst_dev_ms=%.3f\n",
               name, nominalMs, s.count, s.meanMs, s.p99DeviationMs, s.worstDeviationMs);
}

}  // namespace headpop::bench
