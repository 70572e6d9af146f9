// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/display_check.h"

#include <gtest/gtest.h>

namespace headpop {
namespace {

TEST(DisplayCheck, OnlyNoDisplayAtAllGivesTheSentence) {
  EXPECT_NE(MissingDisplayMessage(nullptr, nullptr, nullptr).find("xvfb-run"), std::string::npos);
  EXPECT_FALSE(MissingDisplayMessage("", "", "").empty());
  EXPECT_TRUE(MissingDisplayMessage(nullptr, ":0", nullptr).empty());
  EXPECT_TRUE(MissingDisplayMessage(nullptr, nullptr, "wayland-0").empty());
  EXPECT_TRUE(MissingDisplayMessage("offscreen", nullptr, nullptr).empty());
}

}  // namespace
}  // namespace headpop
