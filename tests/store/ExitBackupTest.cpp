// The backup made as the program ends: only a readable data file with events
// replaces the backup, and nothing replaces it when the write fails.
#include "store/ExitBackup.h"
#include "StoreTestSupport.h"
#include <filesystem>

namespace {

using namespace storetest;

class ExitBackupTest : public StoreTest {};

TEST_F(ExitBackupTest, OnlyAReadableFileWithEventsReplacesTheBackup) {
    const std::string good =
        RawRecord("Pay rent", 2, 0, 0, 1, D(2024, 6, 1), D(2030, 1, 1), 7, 0, 1, 1, 0);
    struct TRow {
        const char* Name;
        std::string Data;   // the data file; "-": missing
        const char* Backup; // where the backup goes, below the test folder
        TExitBackup Result;
        bool BackupReplaced;
    };
    const TRow rows[] = {
        {"written", good, "usb/backup.dat", TExitBackup::Written, true},
        {"no data file", "-", "usb/backup.dat", TExitBackup::Skipped, false},
        {"no events", "", "usb/backup.dat", TExitBackup::Skipped, false},
        {"drive not there", good, "gone/backup.dat", TExitBackup::Skipped, false},
        {"damaged data file", std::string(292, '\xff'), "usb/backup.dat", TExitBackup::Failed,
         false},
        {"backup cannot be replaced", good, "usb/locked/backup.dat", TExitBackup::Failed, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        std::filesystem::remove_all(Path("usb"));
        std::filesystem::create_directories(Path("usb/locked/backup.dat"));
        std::filesystem::remove(Path("tickwell.dat"));
        if (row.Data != "-")
            WriteBytes(Path("tickwell.dat"), row.Data);
        const std::string backup = Path(row.Backup);
        // An earlier backup, except where the backup's name is taken by a folder.
        const bool earlier =
            !std::filesystem::is_directory(backup) &&
            std::filesystem::is_directory(std::filesystem::path(backup).parent_path());
        if (earlier)
            WriteBytes(backup, "earlier");
        std::string error;
        EXPECT_EQ(BackupDataFile(Path("tickwell.dat"), backup, error), row.Result);
        EXPECT_EQ(error.empty(), row.Result != TExitBackup::Failed) << error;
        if (earlier) {
            EXPECT_EQ(ReadBytes(backup), row.BackupReplaced ? good : "earlier");
        }
        for (const auto& e : std::filesystem::recursive_directory_iterator(Path("usb")))
            EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << "left behind";
    }
}

} // namespace
