// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

namespace headpop::test_support {

// Where to shoot at a head on a picture of the playfield: heads are what differs from the
// playfield's background picture (both of one size, RGB32). Nothing when no head shows
// whole enough to aim at.
std::optional<QPoint> AimPoint(const QImage& shot, const QImage& background, int headSize);

}  // namespace headpop::test_support
