#pragma once
// The seam between start-up and the windows: start-up asks for the window of
// the start mode and then the clock window through these functions. An empty
// function is a window the program does not have yet; its start mode then
// opens nothing.
#include <cstdint>
#include <functional>

class QWidget;
class TController;
class TEventBookSignals;

struct TStartupWindows {
    std::function<QWidget*()> CreateMainWindow;
    std::function<QWidget*()> CreateDueWindow;
    std::function<QWidget*()> CreateCalendarWindow;
    std::function<QWidget*()> CreateClockWindow;
};

// The windows of this program; the clock window is the controller's.
TStartupWindows ProgramWindows(TEventBookSignals& events, TController& controller);

// Creates the window of the start mode (1 main, 2 due-events, 3 calendar;
// none for the others), then always the clock window. Returns the first
// window created: the application's main window.
QWidget* CreateStartWindows(std::uint8_t startMode, const TStartupWindows& windows);
