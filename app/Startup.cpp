#include "app/Startup.h"

#include "core/Clock.h"
#include "core/EventLists.h"
#include "core/FormatSettings.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/SettingsSchema.h"
#include "ui/WindowState.h"
#include <filesystem>

namespace fs = std::filesystem;

bool QuickCheckRanToday(const TWinRegistry& reg) {
    if (!ReadSetting(reg, kOnceDaily))
        return false;
    // Written as today's whole day count, so the comparison is exact.
    return ReadLastRun(reg) == Today();
}

void FreeEventLists() {
    delete MasterList; // frees every event and takes them out of DueList
    MasterList = nullptr;
    delete DueList;
    DueList = nullptr;
}

void CreateEventLists() {
    FreeEventLists();
    DueList = new TScanList;
    MasterList = new TMyList;
}

std::string KeepDamagedCopy(const std::string& path, std::string& error) {
    const std::string copy = DamagedCopyName(path);
    std::error_code ec;
    if (!fs::copy_file(path, copy, fs::copy_options::none, ec)) {
        error = ec ? ec.message() : "the copy was not made";
        return {};
    }
    return copy;
}

bool LoadMasterList(const std::string& dataFile) {
    MasterList->FileName = dataFile;
    if (LoadSynced(*MasterList))
        return true;
    // The next save would replace the damaged file, so a copy is kept first.
    std::string error;
    const std::string copy = KeepDamagedCopy(dataFile, error);
    MasterList->FreeAll();
    // The next save writes over the damaged file, not into it.
    RememberSynced(*MasterList);
    ShowMsg(std::string(kCorruptDataText) + "\n" +
                (copy.empty() ? "The damaged file could not be copied (" + error +
                                    "); it is replaced when the events are next saved."
                              : copy),
            mkWarning);
    return false;
}

std::uint8_t SettleStartMode(const std::string& firstArgument, const std::string& dataFolder,
                             const TStartupHooks& hooks) {
    std::uint8_t mode = smMain;
    BackupDest = dataFolder;
    try {
        const TWinRegistry reg;
        ShowNoEventsMsg = ReadSetting(reg, kShowNoEventsMsg);

        if (ReadSetting(reg, kTrayIcon)) {
            mode = smTray;
        } else {
            switch (ReadSetting(reg, kMainWindow)) {
            case 0:
                mode = smMain;
                break;
            case 1:
                mode = smDue;
                break;
            case 2:
                mode = smCalendar;
                break;
            default:
                mode = smTray;
                break;
            }
        }

        if (firstArgument == "/q") {
            mode = smQuickCheck;
            if (QuickCheckRanToday(reg)) {
                mode = smEnd;
            } else if (MasterList->Scan()) {
                mode = smDue;
            } else {
                if (ShowNoEventsMsg && hooks.SystemMessage)
                    hooks.SystemMessage(kNoEventsDueText);
                mode = smEnd;
            }
        }

        // An empty due-events window is never the first thing shown.
        if (mode == smDue && DueList->Empty() && !MasterList->Scan())
            mode = smMain;

        if (firstArgument == "/m")
            mode = smMain;
        else if (firstArgument == "/t")
            mode = smTray;

        EventDeleteConfirm = ReadSetting(reg, kEventDeleteConfirm);
        AutoBackup = ReadSetting(reg, kAutoBackup);
        Beep = ReadSetting(reg, kBeep);
        std::string dest = ReadSetting(reg, kBackupDest, dataFolder);
        if (dest.size() > 1 && dest.back() == '/')
            dest.pop_back();
        BackupDest = dest;
    } catch (const TTickwellError& e) {
        if (hooks.ErrorBox)
            hooks.ErrorBox(e.what());
        if (mode == smQuickCheck)
            mode = smEnd;
        if (firstArgument == "/m")
            mode = smMain;
        else if (firstArgument == "/t")
            mode = smTray;
    }
    return mode;
}

std::uint8_t RunStartupRoutine(const std::string& firstArgument, const std::string& dataFolder,
                               const TStartupHooks& hooks) {
    SetFormatSettings(SystemFormatSettings());
    FirstArgument = firstArgument;
    CreateEventLists();
    LoadMasterList(dataFolder + "/tickwell.dat");
    StartMode = SettleStartMode(firstArgument, dataFolder, hooks);
    return StartMode;
}
