#include "app/FrmClock.h"
#include "app/StartupWindows.h"

// Each window joins here as it is built.
TStartupWindows ProgramWindows() {
    TStartupWindows w;
    w.CreateClockWindow = [] { return static_cast<QWidget*>(new TClockFrm); };
    return w;
}
