#pragma once
// The clock window's commands that the tray and the other windows use to
// open the event windows.

// Creates the main window if needed, shows it and brings it to the front.
void ShowMainWindow();
// Scans; shows the due-events window when anything is due, otherwise says
// that nothing is due. Does nothing while the event editor is open.
void ShowDueWindow();
// Makes these commands reachable through the window links.
void InstallClockLinks();
