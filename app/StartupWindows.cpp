#include "app/StartupWindows.h"

#include "ui/WindowState.h"

QWidget* CreateStartWindows(std::uint8_t startMode, const TStartupWindows& windows) {
    QWidget* first = nullptr;
    auto create = [&first](const std::function<QWidget*()>& make) {
        if (!make)
            return;
        QWidget* w = make();
        if (!first)
            first = w;
    };
    switch (startMode) {
    case smMain:
        create(windows.CreateMainWindow);
        break;
    case smDue:
        create(windows.CreateDueWindow);
        break;
    case smCalendar:
        create(windows.CreateCalendarWindow);
        break;
    default:
        break;
    }
    create(windows.CreateClockWindow);
    return first;
}
