// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/front_end.h"

#include <cstdio>
#include <cstdlib>

namespace headpop {
namespace {

WebFrontEnd* installed = nullptr;

}  // namespace

void InstallFrontEnd(WebFrontEnd& frontEnd) { installed = &frontEnd; }

WebFrontEnd& FrontEnd() {
  if (installed == nullptr) {
    std::fputs("headpop: an event before the front end was installed\n", stderr);
    std::abort();
  }
  return *installed;
}

}  // namespace headpop
