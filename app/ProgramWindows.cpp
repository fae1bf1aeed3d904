#include "app/Controller.h"
#include "app/FrmClock.h"
#include "app/StartupWindows.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"

// Each window joins here as it is built.
TStartupWindows ProgramWindows(TController& controller) {
    TStartupWindows w;
    w.CreateMainWindow = [] { return CreateMainWindowForStartup(); };
    w.CreateDueWindow = [] { return static_cast<QWidget*>(ShowDueEventsWindow()); };
    w.CreateCalendarWindow = [] { return CreateCalendarWindowForStartup(); };
    w.CreateClockWindow = [&controller] { return static_cast<QWidget*>(controller.Start()); };
    return w;
}
