// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_click.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

}  // namespace

bool ClickInWindow(unsigned long window, int x, int y) {
  const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (!display) {
    return false;
  }
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  if (XTestQueryExtension(display.get(), &event, &error, &major, &minor) == False) {
    return false;
  }
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  if (XTranslateCoordinates(display.get(), window, DefaultRootWindow(display.get()), x, y, &rootX,
                            &rootY, &child) == False) {
    return false;
  }
  XTestFakeMotionEvent(display.get(), -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display.get(), 1, True, CurrentTime);
  XTestFakeButtonEvent(display.get(), 1, False, CurrentTime);
  XSync(display.get(), False);
  return true;
}
