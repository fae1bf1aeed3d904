#include "cli/CliSettings.h"
#include "core/Globals.h"
#include "platform/RegistryFile.h"
#include "store/SettingsSchema.h"

TCliSettingsStore::TCliSettingsStore() {
    Previous = RegistryBackend();
    InstallRegistryFile();
}

TCliSettingsStore::~TCliSettingsStore() {
    SetRegistryBackend(Previous);
}

void ReadCliOptions(const std::string& dataFolder) {
    const TWinRegistry reg;
    EventDeleteConfirm = ReadSetting(reg, kEventDeleteConfirm);
    Beep = ReadSetting(reg, kBeep);
    std::string dest = ReadSetting(reg, kBackupDest, dataFolder);
    if (dest.size() > 1 && dest.back() == '/')
        dest.pop_back();
    BackupDest = dest;
}

TEditorDefaults ReadEditorDefaults() {
    const TWinRegistry reg;
    TEditorDefaults d;
    d.Notice = ReadSetting(reg, kDfltNotice);
    d.Interval = ReadSetting(reg, kDfltInterval);
    d.EventType = ReadSetting(reg, kDfltEventType);
    d.Keep = ReadSetting(reg, kDfltKeepFlag);
    return d;
}

void StoreBackupDest() {
    WriteSetting(kBackupDest, BackupDest);
}
