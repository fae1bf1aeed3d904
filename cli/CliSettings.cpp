#include "cli/CliSettings.h"
#include "platform/RegistryFile.h"
#include "store/SettingsSchema.h"

TCliSettingsStore::TCliSettingsStore() {
    Previous = RegistryBackend();
    InstallRegistryFile();
}

TCliSettingsStore::~TCliSettingsStore() {
    SetRegistryBackend(Previous);
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
