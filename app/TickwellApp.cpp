#include "app/TickwellApp.h"

#include "app/MessageBoxes.h"
#include "ui/AppIcon.h"
#include "ui/ScreenFit.h"
#include "ui/Theme.h"
#include <QEvent>
#include <exception>

TTickwellApplication::TTickwellApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The name only: a display name would be appended to every window's
    // caption ("Add Event — Tickwell").
    setApplicationName("Tickwell");
    // Task bars and notifications find the icon and the name through the
    // desktop entry.
    setDesktopFileName(DesktopEntryName());
    setWindowIcon(AppIcon());
    ApplyPaletteChoice();
    installEventFilter(new TScreenFitter(this));
    // Only the main window's close ends the program; hiding the others (or
    // closing the last one shown) does not.
    setQuitOnLastWindowClosed(false);
}

bool TTickwellApplication::notify(QObject* receiver, QEvent* event) {
    // The main window's close ends the program: changes not yet saved are
    // asked about before the window sees it, so keeping on running leaves
    // everything as it was.
    if (event->type() == QEvent::Close && !MainWindow.isNull() &&
        receiver == static_cast<QObject*>(MainWindow.data()) && MayQuit && !MayQuit()) {
        event->ignore();
        return true;
    }
    bool handled = false;
    try {
        handled = QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
        return false;
    } catch (...) {
        ShowErrorBox(tr("Unexpected error").toStdString());
        return false;
    }
    if (event->type() == QEvent::Close && event->isAccepted() && !MainWindow.isNull() &&
        receiver == static_cast<QObject*>(MainWindow.data()))
        quit();
    return handled;
}
