// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdio>
#include <string>

namespace headpop::model {

// A float in the fewest digits that still give back every bit of it, so that a change in
// the arithmetic shows in a trace or a message.
inline std::string FloatText(float value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.9g", static_cast<double>(value));
  return text.data();
}

}  // namespace headpop::model
