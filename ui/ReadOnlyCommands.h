#pragma once
// The commands that change events follow the read-only mode
// (store/ReadOnlyMode.h): greyed out while changes cannot be saved, back as
// soon as they can.
#include <QList>

class QAction;

// Marks the window's entries and sets them for the mode as it is now.
void MarkAsChangingEvents(const QList<QAction*>& entries);
// Every marked entry of every window follows the mode now.
void ApplyReadOnlyMode();
