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

// The sentence names every display the toolkit tried, in the toolkit's order.
TEST(DisplayCheck, FailureNamesWhatCouldNotBeReached) {
  struct Case {
    const char* platform;
    const char* x11;
    const char* wayland;
    const char* session;
    const char* expected;
  };
  const Case cases[] = {
      {nullptr, ":7", nullptr, nullptr, "on the X display \":7\";"},
      {nullptr, ":7", "wayland-9", nullptr,
       "on the Wayland display \"wayland-9\" nor on the X display \":7\";"},
      {nullptr, nullptr, "wayland-9", "x11",
       "on the Wayland display \"wayland-9\" nor on an X display (DISPLAY is not set);"},
      {nullptr, ":7", nullptr, "wayland",
       "on the Wayland display \"wayland-0\" nor on the X display \":7\";"},
      {"wayland", ":7", "gone", nullptr, "on the Wayland display \"gone\";"},
      {"wayland-egl;wayland", nullptr, "gone", nullptr, "on the Wayland display \"gone\";"},
      {"xcb:nodpi", ":7", "gone", nullptr, "on the X display \":7\";"},
      {"eglfs", nullptr, nullptr, nullptr, "on the platform \"eglfs\";"},
  };
  for (const Case& c : cases) {
    const std::string sentence = UnreachableDisplayMessage(c.platform, c.x11, c.wayland, c.session);
    EXPECT_EQ(sentence, std::string("headpop: cannot open a window ") + c.expected +
                            " start it from a desktop session, or under a virtual display with "
                            "xvfb-run.")
        << (c.platform != nullptr ? c.platform : "(no platform)");
  }
}

}  // namespace
}  // namespace headpop
