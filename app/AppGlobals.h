#pragma once
// Process-wide values of the program that its windows read. Defined here
// (inline) so that the windows' library can read them without linking the
// program itself.
#include <cstdint>
#include <string>

class TClockFrm;

// The start mode settled at start-up; written only then.
enum TStartMode : std::uint8_t {
    smTray = 0,       // tray only: no window, no taskbar button
    smMain = 1,       // main window
    smDue = 2,        // due-events window
    smCalendar = 3,   // calendar window
    smQuickCheck = 4, // quick check in progress; never survives start-up
    smEnd = 5,        // end at once
};
inline std::uint8_t StartMode = smMain;

// The program's first command-line argument as given ("/z" shows the main
// window's hidden command); empty when there is none.
inline std::string FirstArgument;

// The hidden clock window, created at every start; null when destroyed.
inline TClockFrm* ClockFrm = nullptr;
