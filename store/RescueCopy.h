#pragma once
// When the program must end while its events cannot be saved (a full disk,
// a file another program made unreadable), they go to a rescue copy
// instead, in a folder of their own, and the next start tells where.
#include "core/EventLists.h"
#include <string>
#include <vector>

// Writes the events, as a data file, to "unsaved-YYYYMMDD-HHMMSS.dat" in the
// first of the folders that takes it (each made when missing); its path, or
// empty with error set to why the last one failed.
std::string WriteRescueCopy(const TListSorted& list, const std::vector<std::string>& folders,
                            std::string& error);

// The rescue copies in these folders that no start has told of yet, oldest
// first, each renamed to "rescued-..." so that it is told once; the new
// paths.
std::vector<std::string> TakeRescueCopies(const std::vector<std::string>& folders);
