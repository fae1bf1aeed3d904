#include "core/Globals.h"

bool ShowNoEventsMsg = true;
bool EventDeleteConfirm = true;
bool AutoBackup = true;
bool Beep = false;
std::string BackupDest;
