#include "core/Globals.h"

TMyList* MasterList = nullptr;
TScanList* DueList = nullptr;

bool ShowNoEventsMsg = true;
bool EventDeleteConfirm = true;
bool AutoBackup = true;
bool Beep = false;
std::string BackupDest;
bool DeleteConfirmSuspended = false;
bool OldFormatFlag = false;
