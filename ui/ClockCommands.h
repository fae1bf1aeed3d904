#pragma once
// The clock window's commands as the other windows' menus and buttons reach
// them: an entry whose window does not exist yet stays visible but disabled,
// and choosing it then does nothing.
#include "ui/WindowLinks.h"
#include <QList>
#include <functional>

class QAction;

using TClockCommand = std::function<void()> TClockLinks::*;

// Runs the command when the clock window has installed it.
void RunClockCommand(TClockCommand command);
// Enables the entries exactly when the command is installed.
void EnableForClockCommand(const QList<QAction*>& entries, TClockCommand command);

// "Exit" from any window: through the clock window when the program started
// in the tray, otherwise by closing the window it started with, which ends
// it.
void ExitByStartMode();
