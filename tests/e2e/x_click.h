// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Clicks button 1 at (X, Y) in WINDOW's coordinates through the X server's test extension,
// in this process: no tool to start between seeing a head and shooting it.
// Returns false when there is no display, no such window or no test extension.
bool ClickInWindow(unsigned long window, int x, int y);
