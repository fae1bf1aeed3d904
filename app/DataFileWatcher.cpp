#include "app/DataFileWatcher.h"
#include "core/Messages.h"
#include "ical/VdirSync.h"
#include "platform/QtMessages.h"
#include "store/AtomicFile.h"
#include "store/BusyCursor.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include "ui/FrmAlert.h"
#include "ui/FrmEdit.h"
#include "ui/ReadOnlyCommands.h"
#include "ui/WindowLinks.h"
#include <QApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace {

constexpr int kPollMs = 1000;
// A burst of notices (a write, then a rename) is one look.
constexpr int kSettleMs = 50;
// While read-only for want of saving, a save is tried again this often.
constexpr int kRetryPolls = 3;

void SayInMainWindow(const QString& text) {
    if (MainLinks().Window && MainLinks().ShowStatusText)
        MainLinks().ShowStatusText(text);
}

} // namespace

TDataFileWatcher::TDataFileWatcher(TEventBook& book, std::unique_ptr<TVdirLink>& vdir,
                                   QObject* parent)
    : QObject(parent), Book(book), Vdir(vdir), Watcher(new QFileSystemWatcher(this)),
      Poll(new QTimer(this)), Soon(new QTimer(this)) {
    Soon->setSingleShot(true);
    Soon->setInterval(kSettleMs);
    connect(Soon, &QTimer::timeout, this, &TDataFileWatcher::Check);
    connect(Poll, &QTimer::timeout, this, &TDataFileWatcher::Check);
    connect(Watcher, &QFileSystemWatcher::fileChanged, Soon, qOverload<>(&QTimer::start));
    connect(Watcher, &QFileSystemWatcher::directoryChanged, Soon, qOverload<>(&QTimer::start));
    Poll->start(kPollMs);
    Arm();

    const auto followMode = [] {
        ApplyReadOnlyMode();
        const TReadOnlyCause cause = ReadOnlyCause();
        SayInMainWindow(cause == TReadOnlyCause::None ? ""
                        : cause == TReadOnlyCause::Damaged
                            ? tr("The events file is damaged and left as it is")
                            : tr("Read-only: changes cannot be saved"));
    };
    SetReadOnlyHook(followMode);
    // The mode may have been set before the windows were made (a full disk
    // at start-up).
    if (ReadOnlyCause() != TReadOnlyCause::None)
        followMode();
    // A save that fails leaves the changes in memory; the windows stop
    // making more until a save works.
    SetSaveFailureHook([](const std::string& error) {
        const size_t line = error.find('\n');
        SetReadOnly(TReadOnlyCause::CannotSave,
                    line == std::string::npos ? error : error.substr(line + 1));
    });
}

TDataFileWatcher::~TDataFileWatcher() {
    SetReadOnlyHook({});
    SetSaveFailureHook({});
}

void TDataFileWatcher::Arm() {
    const std::string path = Book.FileName();
    const QString file = QString::fromStdString(path);
    const QString folder = QFileInfo(file).absolutePath();
    if (path != WatchedPath) {
        if (!Watcher->files().isEmpty())
            Watcher->removePaths(Watcher->files());
        if (!Watcher->directories().isEmpty())
            Watcher->removePaths(Watcher->directories());
        WatchedPath = path;
    }
    // A file replaced by a rename is a new file: the old watch went with
    // the old one. The folder's watch sees the new one arrive.
    if (!Watcher->directories().contains(folder))
        Watcher->addPath(folder);
    if (!Watcher->files().contains(file) && QFileInfo::exists(file))
        Watcher->addPath(file);
    if (Vdir) {
        const QString sync = QString::fromStdString(Vdir->Folder());
        if (!Watcher->directories().contains(sync) && QFileInfo(sync).isDir())
            Watcher->addPath(sync);
    }
}

void TDataFileWatcher::FollowSyncFolder() {
    const std::string folder = ReadSetting(kSyncFolder);
    if (folder != (Vdir ? Vdir->Folder() : std::string())) {
        if (Vdir)
            Watcher->removePath(QString::fromStdString(Vdir->Folder()));
        Vdir.reset();
        if (!folder.empty()) {
            Vdir = std::make_unique<TVdirLink>(Book, folder);
            Vdir->Fill();
            return;
        }
    }
    if (Vdir && ReadOnlyCause() == TReadOnlyCause::None)
        Vdir->StepIn();
}

void TDataFileWatcher::Check() {
    // A dialog, a menu, the editor or a long command may be holding events
    // that a reload would free; the next poll comes back.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || EditFrm ||
        MidnightFrm || BusyCursorShowing())
        return;
    const TSyncReport report = Book.Sync();
    FollowSyncFolder();
    Arm();
    if (report.Result == TSyncResult::Unreadable && report.NewlyUnreadable) {
        SetReadOnly(TReadOnlyCause::CannotRead, tr("The events file cannot be read: %1")
                                                    .arg(QString::fromStdString(Book.FileName()))
                                                    .toStdString());
        ShowMsg(std::string(kUnreadableChangeText) + "\n" + Book.FileName(), mkWarning);
    } else if (report.Result == TSyncResult::Merged &&
               (ReadOnlyCause() == TReadOnlyCause::CannotRead ||
                ReadOnlyCause() == TReadOnlyCause::Damaged)) {
        // An edit made before the file went bad is still only in memory.
        if (HasUnsavedChanges(Book.MasterList))
            TryToSaveAgain();
        else
            EndReadOnly();
    }
    if (ReadOnlyCause() == TReadOnlyCause::CannotSave && ++PollsSinceRetry >= kRetryPolls) {
        PollsSinceRetry = 0;
        TryToSaveAgain();
    }
}

void TDataFileWatcher::TryToSaveAgain() {
    if (HasUnsavedChanges(Book.MasterList)) {
        // What the failed save left in memory goes out first.
        try {
            Book.SaveAgain();
        } catch (const TTickwellError&) {
            return; // still read-only, with the new reason
        }
    } else {
        std::string why;
        if (!CanWriteBeside(Book.FileName(), why)) {
            SetReadOnly(TReadOnlyCause::CannotSave, why);
            return;
        }
    }
    EndReadOnly();
    SayInMainWindow(tr("Changes can be saved again"));
}
