#include "app/FrmClock.h"
#include "app/StartupWindows.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"

// Each window joins here as it is built.
TStartupWindows ProgramWindows() {
    TStartupWindows w;
    w.CreateMainWindow = [] { return CreateMainWindowForStartup(); };
    w.CreateDueWindow = [] { return static_cast<QWidget*>(ShowDueEventsWindow()); };
    w.CreateCalendarWindow = [] { return CreateCalendarWindowForStartup(); };
    w.CreateClockWindow = [] { return static_cast<QWidget*>(new TClockFrm); };
    return w;
}
