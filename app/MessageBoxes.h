#pragma once
// The message routines on screen: QMessageBox boxes with the caption
// "Tickwell", and the beep before them.
//
// Test hook: when the environment variable TICKWELL_MESSAGE_LOG names a file,
// no box is shown. Each notice, question, error box and beep is appended to
// that file as one entry "[kind] text" (kinds: information, error, warning,
// yes-no-cancel, ok-cancel, beep) and every question is answered Cancel, so a
// run of the real program never waits for a user.
#include <QString>
#include <string>

// Installs the boxes as the message routines (SetMessageHandlers), the busy
// cursor, and the application's end for a broken event list.
void InstallMessageBoxes();
// Start-up's own information box, brought to the front, without the beep.
void ShowSystemMessage(const std::string& text);
// The standard error box for an error that ended a command, without the beep.
void ShowErrorBox(const std::string& text);
// A notice as the user reads it: the engine's English text translated
// wherever the parts it is made of are.
QString TranslatedNotice(const std::string& text);
