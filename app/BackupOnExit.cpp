#include "app/BackupOnExit.h"

#include "core/Messages.h"
#include "platform/Paths.h"
#include "platform/QtMessages.h"
#include "store/DataCommands.h"
#include "store/EventBook.h"
#include "store/ExitBackup.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include <QCoreApplication>
#include <exception>

void BackupOnExit(const TEventBook& book) {
    if (!TSettings().Get(kAutoBackup))
        return;
    try {
        const std::string backup = BackupFileIn(BackupFolder(DataFolder()));
        std::string error;
        if (BackupDataFile(book.FileName(), backup, error) == TExitBackup::Failed)
            WriteSetting(kExitBackupFailed, backup + ": " + error);
    } catch (const std::exception&) {
        // The settings cannot be written either: nothing is left to tell it.
    }
}

void ReportBackupOnExitFailure() {
    std::string error;
    try {
        TWinRegistry reg;
        error = ReadSetting(reg, kExitBackupFailed);
        if (error.empty())
            return;
        reg.DeleteValue(kExitBackupFailed.Section, kExitBackupFailed.Name);
    } catch (const std::exception&) {
        return;
    }
    ShowMsg(QCoreApplication::translate("BackupOnExit",
                                        "Your events could not be backed up when Tickwell last "
                                        "ended:\n%1\nAn earlier backup there was left as it was.")
                .arg(QString::fromStdString(error)),
            mkWarning);
}
