#pragma once
// The backup made when the program ends with "Backup Events Automatically on
// Exit" on: the data file as it stands on disk (with whatever another
// program wrote to it) copied to the backup file, crash-safe, and its
// companion beside it.
#include <string>

enum class TExitBackup {
    Written,
    // Nothing to do: the destination is not ready (a removable drive that is
    // not there), or there are no events to back up.
    Skipped,
    Failed,
};

// Never replaces the backup with an empty or unreadable data file, and a
// failed write leaves the old backup as it was. error says why on Failed.
TExitBackup BackupDataFile(const std::string& dataFile, const std::string& backupPath,
                           std::string& error);
