#pragma once
// Process-wide values the windows read: the start mode settled at start-up,
// the first command-line argument, and the bookkeeping of shown windows.
#include <cstdint>
#include <string>

// The start mode settled at start-up; written only then.
enum TStartMode : std::uint8_t {
    smTray = 0,       // tray only: no window, no taskbar button
    smMain = 1,       // main window
    smDue = 2,        // due-events window
    smCalendar = 3,   // calendar window
    smQuickCheck = 4, // quick check in progress; never survives start-up
    smEnd = 5,        // end at once
};
extern std::uint8_t StartMode;

// The program's first command-line argument as given ("/z" shows the main
// window's hidden command); empty when there is none.
extern std::string FirstArgument;

// Shown windows among the main, due-events, calendar and clock windows: each
// adds one when shown and takes one away when hidden.
extern int OpenWindowCount;
// The window last opened by the clock window: 0 none, 1 main, 2 due-events,
// 4 calendar. Each of those windows sets it back to 0 when destroyed.
extern std::uint8_t LastShownWindow;
