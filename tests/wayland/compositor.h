// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a Weston compositor shows, read with its own tools: weston-debug's scene graph says
// where each window is, weston-screenshooter what the output shows. Both need a compositor
// started with --debug; they reach the one that WAYLAND_DISPLAY and XDG_RUNTIME_DIR name.

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

namespace headpop::test_support {

// A top-level window as the compositor placed it, in the output's logical pixels.
struct ShownWindow {
  QRect frame;   // the whole surface, with the decorations the client draws around it
  QRect client;  // its opaque part: the client area, which the client declares opaque
};

// The top-level window of this title, or nothing (with `error` set).
std::optional<ShownWindow> FindShownWindow(const QString& title, QString& error);

// The whole output as the compositor draws it, in device pixels (RGB32); null on failure,
// with `error` set. The compositor draws the last frame each client committed: a client
// that is busy while this runs shows its last frame, unchanged.
QImage TakeScreenshot(QString& error);

}  // namespace headpop::test_support
