#pragma once
// Window bookkeeping the clock window reads to decide whether the program
// needs a taskbar button.
#include <cstdint>

// Shown windows among the main, due-events, calendar and clock windows: each
// adds one when shown and takes one away when hidden.
extern int OpenWindowCount;
// The window last opened by the clock window: 0 none, 1 main, 2 due-events,
// 4 calendar. Each of those windows sets it back to 0 when destroyed.
extern std::uint8_t LastShownWindow;
