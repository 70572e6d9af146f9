// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <memory>

namespace headpop {

// What the game does before it builds its window: the display check, the toolkit's
// settings and the application object. Null, once the reason has been printed, when no
// display can be had. `argc` must outlive the application, as Qt requires.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace headpop
