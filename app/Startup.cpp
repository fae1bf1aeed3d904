#include "app/Startup.h"

#include "core/Clock.h"
#include "core/FormatSettings.h"
#include "core/Messages.h"
#include "platform/DamagedCopy.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/QtMessages.h"
#include "store/DataFile.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include "ui/WindowState.h"
#include <QCoreApplication>

bool QuickCheckRanToday(const TWinRegistry& reg) {
    if (!ReadSetting(reg, kOnceDaily))
        return false;
    // Written as today's whole day count, so the comparison is exact.
    return ReadLastRun(reg) == Today();
}

bool LoadMasterList(TEventBook& book, const std::string& dataFile) {
    if (book.Load(dataFile))
        return true;
    // A copy first, whatever the user decides below.
    std::string error;
    const std::string copy = KeepDamagedCopy(dataFile, error);
    ShowMsg(std::string(kCorruptDataText) + "\n" +
                (copy.empty() ? QCoreApplication::translate(
                                    "Startup", "The damaged file could not be copied (%1).")
                                    .arg(QString::fromStdString(error))
                                    .toStdString()
                              : copy),
            mkWarning);
    // The events read whole stay on show. The list already takes them for
    // what the file holds, so once the user agrees the next save writes
    // them over the damaged file; until then nothing is written.
    const std::string question = KeepWholeEventsQuestion(book.MasterList.Count());
    if (AskOkCancel(question) != anOk)
        SetReadOnly(TReadOnlyCause::Damaged, question);
    return false;
}

std::uint8_t SettleStartMode(TEventBook& book, const std::string& firstArgument,
                             const TStartupHooks& hooks) {
    std::uint8_t mode = smMain;
    try {
        const TWinRegistry reg;
        const bool noEventsMsg = ReadSetting(reg, kShowNoEventsMsg);

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
            } else if (book.MasterList.Scan()) {
                mode = smDue;
            } else {
                if (noEventsMsg && hooks.SystemMessage)
                    hooks.SystemMessage(kNoEventsDueText);
                mode = smEnd;
            }
        }

        // An empty due-events window is never the first thing shown.
        if (mode == smDue && book.DueList.Empty() && !book.MasterList.Scan())
            mode = smMain;

        if (firstArgument == "/m")
            mode = smMain;
        else if (firstArgument == "/t")
            mode = smTray;
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

std::uint8_t RunStartupRoutine(TEventBook& book, const std::string& firstArgument,
                               const std::string& dataFolder, const TStartupHooks& hooks) {
    SetFormatSettings(SystemFormatSettings());
    FirstArgument = firstArgument;
    LoadMasterList(book, dataFolder + "/tickwell.dat");
    StartMode = SettleStartMode(book, firstArgument, hooks);
    return StartMode;
}
