#pragma once
// The application object: the top-level handler for errors that end a
// command, and the rule that closing the application's main window (the
// first window created) ends the program.
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <functional>

class TTickwellApplication : public QApplication {
    Q_OBJECT
public:
    TTickwellApplication(int& argc, char** argv);

    // An error escaping an event handler is shown in the error box and the
    // event counts as not handled; the program goes on.
    bool notify(QObject* receiver, QEvent* event) override;

    void SetMainWindow(QWidget* window) { MainWindow = window; }
    // Asked before the main window closes: false keeps the program running.
    void SetMayQuit(std::function<bool()> mayQuit) { MayQuit = std::move(mayQuit); }
    QWidget* ApplicationMainWindow() const { return MainWindow; }

private:
    QPointer<QWidget> MainWindow;
    std::function<bool()> MayQuit;
};
