// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the module asks of the page: one function of the page's script per window operation
// (web/headpop.js, "imports"). Texts are handed over as UTF-8 bytes and a length.
#pragma once

#include <cstdint>

#define HEADPOP_PAGE_IMPORT(name) __attribute__((import_module("headpop"), import_name(#name)))

extern "C" {

// label: 0 scorelbl, 1 levellbl.
HEADPOP_PAGE_IMPORT(SetCaption)
void PageSetCaption(int32_t label, const char* text, int32_t length);
// timer: 0 Timer1, 1 Timer2.
HEADPOP_PAGE_IMPORT(SetTimerEnabled) void PageSetTimerEnabled(int32_t timer, int32_t enabled);
HEADPOP_PAGE_IMPORT(SetTimer1Interval) void PageSetTimer1Interval(int32_t milliseconds);
HEADPOP_PAGE_IMPORT(FocusStartButton) void PageFocusStartButton();
// Opens the modal question; the answer comes later, through QuitQuestion_Answered.
HEADPOP_PAGE_IMPORT(AskYesNo)
void PageAskYesNo(const char* prompt, int32_t promptLength, const char* title, int32_t titleLength);
HEADPOP_PAGE_IMPORT(EndProgram) void PageEndProgram();
// 1 when both sound files arrived and decoded at start-up.
HEADPOP_PAGE_IMPORT(SoundFilesFound) int32_t PageSoundFilesFound();
HEADPOP_PAGE_IMPORT(PlaySoundFile) void PagePlaySoundFile(const char* name, int32_t length);
// The page's steady clock, in milliseconds.
HEADPOP_PAGE_IMPORT(ClockMilliseconds) double PageClockMilliseconds();
}
