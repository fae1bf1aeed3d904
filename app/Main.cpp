// tickwell: the desktop program.
#include "app/BackupOnExit.h"
#include "app/CommandLine.h"
#include "app/Controller.h"
#include "app/DataFileWatcher.h"
#include "app/FrmClock.h"
#include "app/MessageBoxes.h"
#include "app/Startup.h"
#include "app/StartupWindows.h"
#include "app/TickwellApp.h"
#include "app/Translations.h"
#include "app/UnsavedOnExit.h"
#include "app/WindowCommands.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "ical/VdirSync.h"
#include "platform/Paths.h"
#include "platform/QtMessages.h"
#include "platform/QuitSignals.h"
#include "platform/RegistryFile.h"
#include "platform/SingleInstance.h"
#include "store/AtomicFile.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include "ui/EventBookSignals.h"
#include "ui/WindowState.h"
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <exception>
#include <iostream>
#include <memory>
#include <vector>

namespace {

// Every window without a parent, freed at the end of the run.
void FreeWindows() {
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            windows.emplace_back(w);
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
}

} // namespace

int main(int argc, char** argv) {
    if (const auto status = AnswerInfoSwitch(argc > 1 ? argv[1] : "", std::cout))
        return *status;
    TTickwellApplication app(argc, argv);
    InstallTranslations(QLocale::system());
    InstallMessageBoxes();
    InstallRegistryFile();

    const std::string dataFolder = DataFolder();
    const std::string first = argc > 1 ? argv[1] : "";
    TEventBook book;
    TEventBookSignals events(book);
    try {
        RunStartupRoutine(book, first, dataFolder, {ShowSystemMessage, ShowErrorBox});
    } catch (const std::exception& e) {
        // Start-up goes on with what it has: the program is never left
        // without its lists or a mode.
        ShowErrorBox(e.what());
        if (StartMode == smQuickCheck)
            StartMode = smEnd;
    }

    // Tested only after start-up, so that a second copy started with "/q"
    // may still tell that nothing is due.
    TSingleInstance instance(dataFolder);
    // Outlives the controller, whose last saves still reach the folder.
    std::unique_ptr<TVdirLink> vdir;
    std::unique_ptr<TController> controller;
    const auto listen = [&instance, &controller] {
        instance.Listen([&controller](const std::string& request) {
            if (controller && request.size() == 1 && request[0] >= '0' && request[0] <= '5')
                controller->OpenForSecondStart(static_cast<std::uint8_t>(request[0] - '0'));
        });
    };
    std::string error;
    switch (instance.TryAcquire(error)) {
    case TSingleInstance::siAcquired:
        listen();
        break;
    case TSingleInstance::siRunning:
        // The running copy opens what this start would have opened; the box
        // is for a copy that does not answer.
        if (!instance.AskRunningCopy(std::to_string(StartMode), 1000))
            ShowSystemMessage(QT_TRANSLATE_NOOP("Messages", "Tickwell is already running"));
        return 0;
    case TSingleInstance::siError:
        // A full disk has no room for the lock file, but the due events
        // must still be shown: the program runs read-only until a save works.
        break;
    }
    const bool single = error.empty();
    std::string why;
    // A damaged file's question comes first: its answer is what lets a
    // save write at all.
    if ((!CanWriteBeside(book.FileName(), why) || !single) &&
        ReadOnlyCause() == TReadOnlyCause::None)
        SetReadOnly(TReadOnlyCause::CannotSave, why.empty() ? error : why);

    // What other machines changed in the sync folder, before any window
    // shows the events.
    if (const std::string folder = ReadSetting(kSyncFolder);
        !folder.empty() && ReadOnlyCause() == TReadOnlyCause::None) {
        vdir = std::make_unique<TVdirLink>(book, folder);
        vdir->StepIn();
    }

    // Before the first window, so its menus find the commands in place.
    controller = std::make_unique<TController>(events);
    QWidget* mainWindow = CreateStartWindows(StartMode, ProgramWindows(events, *controller));
    app.SetMainWindow(mainWindow);
    app.SetMayQuit([&book] { return MayQuitWithUnsavedChanges(book); });
    // With no other window to show, the tray icon is the only way to reach
    // (and end) the program, whatever the mode.
    if (mainWindow && mainWindow == controller->Clock() && StartMode != smEnd)
        controller->ShowTrayIcon();

    int rc = 0;
    const bool runs = StartMode != smEnd && mainWindow;
    if (runs) {
        QuitOnTerminationSignals();
        QTimer::singleShot(0, ReportBackupOnExitFailure);
        QTimer::singleShot(0, [&book] { ReportRescuedEvents(book); });
        TDataFileWatcher watcher(book, vdir);
        if (ReadOnlyCause() != TReadOnlyCause::None && ReadOnlyCause() != TReadOnlyCause::Damaged)
            QTimer::singleShot(0, [] {
                ShowMsg(std::string(kReadOnlyText) + "\n" + ReadOnlyReason(), mkWarning);
            });
        if (!single) {
            // Once there is room again, this copy is the one later starts
            // reach, unless another has started meanwhile.
            auto* retry = new QTimer(&app);
            QObject::connect(retry, &QTimer::timeout, retry, [&instance, listen, retry] {
                std::string ignored;
                if (ReadOnlyCause() != TReadOnlyCause::None)
                    return;
                const TSingleInstance::TResult r = instance.TryAcquire(ignored);
                if (r == TSingleInstance::siAcquired)
                    listen();
                if (r != TSingleInstance::siError)
                    retry->deleteLater();
            });
            retry->start(5000);
        }
        rc = app.exec();
    }
    // The clock and the tray icon first: the icon owns a window of the
    // tray's own, which must not be freed before the icon.
    controller.reset();
    FreeWindows();
    // After the windows, which save what they hold as they go.
    if (runs) {
        RescueUnsavedEvents(book);
        BackupOnExit(book);
    }
    return rc;
}
