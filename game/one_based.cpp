// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/one_based.h"

#include <cstdio>
#include <cstdlib>

namespace headpop {

void IndexOutsideTable(int number, int first, int last) {
  std::fprintf(stderr, "headpop: index %d outside its table %d..%d\n", number, first, last);
  std::abort();
}

}  // namespace headpop
