#include "ui/ReadOnlyCommands.h"
#include "store/ReadOnlyMode.h"
#include <QAction>
#include <QApplication>
#include <QWidget>

namespace {

constexpr const char* kChangesEvents = "tickwellChangesEvents";

// A damaged file's commands stay on offer: the first one asks whether to
// keep the events that were read.
bool Writable() {
    return ChangesOffered();
}

} // namespace

void MarkAsChangingEvents(const QList<QAction*>& entries) {
    for (QAction* a : entries) {
        a->setProperty(kChangesEvents, true);
        a->setEnabled(Writable());
    }
}

void ApplyReadOnlyMode() {
    const bool writable = Writable();
    for (QWidget* window : QApplication::topLevelWidgets())
        for (QAction* a : window->findChildren<QAction*>())
            if (a->property(kChangesEvents).toBool())
                a->setEnabled(writable);
}
