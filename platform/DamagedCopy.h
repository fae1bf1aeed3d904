#pragma once
// A data file that cannot be read whole is copied aside before anything
// else happens to it, so that whatever a later save or a restore does, the
// damaged bytes can still be looked at or mended by hand.
#include <string>

// Copies the file to "<path>.damaged-YYYYMMDD-HHMMSS" beside it, unless a
// copy with the same bytes is there already (a status bar that lists the
// events every few seconds keeps one copy, not thousands). The copy's path,
// or empty with error set.
std::string KeepDamagedCopy(const std::string& path, std::string& error);
