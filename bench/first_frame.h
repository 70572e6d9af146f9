// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace headpop::bench {

// The launcher puts the wall-clock time of its exec, in microseconds, in this variable.
inline constexpr const char* kExecTimeVariable = "HEADPOP_BENCH_EXEC_US";

// Once the first frame of the program's window has been painted and handed to the window
// system, prints "first_frame_ms=<ms since exec> rss_kb=<resident kB>" and ends the event
// loop. Call before the event loop starts.
void ReportFirstFrameThenQuit();

// The resident memory of this process (VmRSS), in kB; 0 when the kernel will not tell.
long ResidentKilobytes();

}  // namespace headpop::bench
