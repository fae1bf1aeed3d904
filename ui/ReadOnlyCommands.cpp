#include "ui/ReadOnlyCommands.h"
#include "store/ReadOnlyMode.h"
#include <QAction>
#include <QApplication>
#include <QWidget>

namespace {

constexpr const char* kChangesEvents = "tickwellChangesEvents";

bool Writable() {
    return ReadOnlyCause() == TReadOnlyCause::None;
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
