#include "app/Controller.h"
#include "app/FrmClock.h"
#include "app/StartupWindows.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"

// Each window joins here as it is built.
TStartupWindows ProgramWindows(TEventBookSignals& events, TController& controller) {
    TStartupWindows w;
    w.CreateMainWindow = [&events] { return CreateMainWindowForStartup(events); };
    w.CreateDueWindow = [&events] { return static_cast<QWidget*>(ShowDueEventsWindow(events)); };
    w.CreateCalendarWindow = [&events] { return CreateCalendarWindowForStartup(events); };
    w.CreateClockWindow = [&controller] { return static_cast<QWidget*>(controller.Start()); };
    return w;
}
