#pragma once
// The program's settings store for tickwell-cli, and the event editor's
// defaults for a new event from it. The option flags the data commands obey
// are read where they are obeyed (store/Settings.h).
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

TEditorDefaults ReadEditorDefaults();
