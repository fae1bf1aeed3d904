#pragma once
// The program never ends with changes only in memory and no word: asked
// first while saves fail, and when it ends all the same (the user said so,
// or the session ended) the events go to a rescue copy that the next start
// tells of and offers to restore.
#include <string>

class TEventBook;
#include <vector>

// Before the program ends: true when it may. With changes the file lacks it
// first tries to save them once more, then asks whether to quit without
// them.
bool MayQuitWithUnsavedChanges(TEventBook& book);
// After the message loop: the events the file lacks go to a rescue copy.
void RescueUnsavedEvents(TEventBook& book);
// At start: tells of the rescue copies the last run left, and offers to
// restore each.
void ReportRescuedEvents(TEventBook& book);

// The folders for rescue copies: the state folder, then one in /tmp for a
// disk with no room at all.
std::vector<std::string> RescueFolders();
