#include "ui/ClockCommands.h"
#include "ui/WindowState.h"
#include <QAction>
#include <QApplication>
#include <QWidget>

void RunClockCommand(TClockCommand command) {
    if (const std::function<void()>& run = ClockLinks().*command)
        run();
}

void EnableForClockCommand(const QList<QAction*>& entries, TClockCommand command) {
    const bool installed = static_cast<bool>(ClockLinks().*command);
    for (QAction* entry : entries)
        entry->setEnabled(installed);
}

void ExitByStartMode() {
    QWidget* startWindow = nullptr;
    switch (StartMode) {
    case smTray:
        if (ClockLinks().ExitProgram)
            ClockLinks().ExitProgram();
        else
            QApplication::quit();
        return;
    case smMain:
        startWindow = MainLinks().Window;
        break;
    case smDue:
        startWindow = DueLinks().Window;
        break;
    case smCalendar:
        startWindow = CalendarLinks().Window;
        break;
    default:
        break;
    }
    if (startWindow)
        startWindow->close();
}
