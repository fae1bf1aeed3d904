#pragma once
// Another program may write the events file while Tickwell runs
// (tickwell-cli, a sync tool, a restore by hand). The watcher sees the change
// (the file system tells it at once, and a look every second catches what it
// misses) and has the book take it in; the windows follow the book, keeping
// the selected rows where their events still exist. It waits
// while a dialog, a menu or the editor is open, since a command may be
// holding events then. It also ends the read-only mode once the events can
// be saved or read again. With a sync folder it watches the folder too, and
// has what changed there taken in.
#include "core/TrNoop.h"
#include <QObject>
#include <string>

#include <memory>

class QFileSystemWatcher;
class QTimer;
class TEventBook;
class TVdirLink;

class TDataFileWatcher : public QObject {
    Q_OBJECT
public:
    // `vdir` links the book to the sync folder the options name, or is
    // empty; the watcher follows the options and the folder's changes.
    TDataFileWatcher(TEventBook& book, std::unique_ptr<TVdirLink>& vdir, QObject* parent = nullptr);
    ~TDataFileWatcher() override;

    // Looks at the file now, or as soon as nothing holds events.
    void Check();

private:
    void Arm();
    void TryToSaveAgain();
    void FollowSyncFolder();

    TEventBook& Book;
    std::unique_ptr<TVdirLink>& Vdir;
    QFileSystemWatcher* Watcher;
    QTimer* Poll;
    QTimer* Soon;
    std::string WatchedPath;
    int PollsSinceRetry = 0;
};

// The text shown once when the events file changed and cannot be read.
inline constexpr const char* kUnreadableChangeText = TW_TRANSLATE_NOOP(
    "Messages", "Your events file was changed by another program and cannot be read. Tickwell "
                "keeps showing the events it has and will not save over the file until it can "
                "be read again.");
