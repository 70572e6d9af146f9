// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The page's module: the front end over the page's clock, installed as the module starts.
#include <cstdint>

#include "web/front_end.h"
#include "web/page_imports.h"

namespace headpop {
namespace {

uint64_t PageNanoseconds() {
  constexpr double kNanosecondsPerMillisecond = 1.0e6;
  return static_cast<uint64_t>(PageClockMilliseconds() * kNanosecondsPerMillisecond);
}

ClockRandom pageRandom(PageNanoseconds(), PageNanoseconds);
WebFrontEnd pageFrontEnd(pageRandom);

[[maybe_unused]] const bool installed = [] {
  InstallFrontEnd(pageFrontEnd);
  return true;
}();

}  // namespace
}  // namespace headpop
