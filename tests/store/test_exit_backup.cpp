// The backup made as the program ends: only a readable data file with events
// replaces the backup (its failed write is a run of the program's own test).
#include "StoreTestSupport.h"
#include "store/ExitBackup.h"
#include <filesystem>

namespace {

using namespace storetest;

class ExitBackupTest : public StoreTest {};

TEST_F(ExitBackupTest, OnlyAReadableFileWithEventsReplacesTheBackup) {
    const std::string good =
        RawRecord("Pay rent", 2, 0, 0, 1, D(2024, 6, 1), D(2030, 1, 1), 7, 0, 1, 1, 0);
    const struct {
        const char* Name;
        std::string Data; // "-": no data file
        const char* Folder;
        TExitBackup Result;
    } rows[] = {
        {"written", good, "usb", TExitBackup::Written},
        {"no data file", "-", "usb", TExitBackup::Skipped},
        {"no events", "", "usb", TExitBackup::Skipped},
        {"drive not there", good, "gone", TExitBackup::Skipped},
        {"damaged data file", std::string(292, '\xff'), "usb", TExitBackup::Failed},
    };
    std::filesystem::create_directories(Path("usb"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        std::filesystem::remove(Path("tickwell.dat"));
        if (row.Data != "-")
            WriteBytes(Path("tickwell.dat"), row.Data);
        WriteBytes(Path("usb/backup.dat"), "earlier");
        std::string error;
        EXPECT_EQ(BackupDataFile(Path("tickwell.dat"), Path(row.Folder) + "/backup.dat", error),
                  row.Result);
        EXPECT_EQ(error.empty(), row.Result != TExitBackup::Failed);
        EXPECT_EQ(ReadBytes(Path("usb/backup.dat")),
                  row.Result == TExitBackup::Written ? good : "earlier");
    }
}

} // namespace
