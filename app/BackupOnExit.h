#pragma once
// "Backup Events Automatically on Exit": the backup made as the program ends,
// and the report of a failed one at the next start. Neither ever stops the
// program or throws.

class TEventBook;

// With the AutoBackup option on, backs the data file up to the backup
// folder, silently; a failure is kept to be told at the next start.
void BackupOnExit(const TEventBook& book);
// Tells, once, why the last backup on exit failed.
void ReportBackupOnExitFailure();
