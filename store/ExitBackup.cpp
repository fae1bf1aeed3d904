#include "store/ExitBackup.h"

#include "core/Messages.h"
#include "store/AtomicFile.h"
#include "store/Companion.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/DataFileLock.h"
#include <cerrno>
#include <cstring>
#include <unistd.h>

TExitBackup BackupDataFile(const std::string& dataFile, const std::string& backupPath,
                           std::string& error) {
    try {
        if (!CheckDrive(backupPath, true))
            return TExitBackup::Skipped;
    } catch (const TTickwellError&) {
        // Not a folder path at all: there is no destination to be ready.
        return TExitBackup::Skipped;
    }
    // Another writer may be replacing the file as the program ends; the copy
    // is of a file no writer is half way through. A lock that cannot be had
    // (a folder that cannot be written) does not stop the backup.
    const TDataFileLock lock(dataFile, 3000);
    std::vector<TTickwellItem*> events;
    const bool readable = ReadEventsFile(dataFile, events);
    const bool empty = events.empty();
    for (TTickwellItem* e : events)
        delete e;
    if (!readable) {
        error = "The events file " + dataFile + " could not be read";
        return TExitBackup::Failed;
    }
    if (empty)
        return TExitBackup::Skipped;
    // The records first, then what the companion holds of them, as every
    // writer does; a backup of a file without one has none either, so that
    // both give the same ids.
    TFileBytes bytes;
    if (!ReadWholeFile(dataFile, bytes, error) || !WriteFileAtomic(backupPath, bytes.View(), error))
        return TExitBackup::Failed;
    const std::string companion = CompanionPath(dataFile);
    const std::string backupCompanion = CompanionPath(backupPath);
    if (!FileExists(companion)) {
        if (::unlink(backupCompanion.c_str()) != 0 && errno != ENOENT) {
            error = std::string(std::strerror(errno)) + ": " + backupCompanion;
            return TExitBackup::Failed;
        }
        return TExitBackup::Written;
    }
    if (!ReadWholeFile(companion, bytes, error) ||
        !WriteFileAtomic(backupCompanion, bytes.View(), error))
        return TExitBackup::Failed;
    return TExitBackup::Written;
}
