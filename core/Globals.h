#pragma once
// The process-wide state every part of the program shares.
#include <string>

// Option flags read at start-up and refreshed by the options dialog.
extern bool ShowNoEventsMsg;
extern bool EventDeleteConfirm;
extern bool AutoBackup;
extern bool Beep;
extern std::string BackupDest;
