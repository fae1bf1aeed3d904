#pragma once
// What tickwell-cli takes from the program's settings store: the option
// flags the data commands obey, the backup folder, and the event editor's
// defaults for a new event.
#include <memory>
#include <string>

class TRegistryBackend;

// The event editor's starting values for a new event (Options section).
struct TEditorDefaults {
    int Notice = 7;
    int Interval = 1;
    // 0: once only; 1..6: the repeat type code plus one.
    int EventType = 0;
    bool Keep = true;
};

// Installs the settings file of the configuration folder as the registry
// for its lifetime, then puts the previous backend back.
class TCliSettingsStore {
public:
    TCliSettingsStore();
    ~TCliSettingsStore();
    TCliSettingsStore(const TCliSettingsStore&) = delete;
    TCliSettingsStore& operator=(const TCliSettingsStore&) = delete;

private:
    std::shared_ptr<TRegistryBackend> Previous;
};

// EventDeleteConfirm, Beep and BackupDest (default dataFolder, one trailing
// "/" removed) into the process-wide flags, as start-up reads them.
void ReadCliOptions(const std::string& dataFolder);
TEditorDefaults ReadEditorDefaults();
// Settings/BackupDest := BackupDest, as the backup dialog's OK writes it.
void StoreBackupDest();
