#pragma once
// While the events cannot be saved (a full disk, a file another program made
// unreadable) the windows program shows them without changing them: every
// command that would change events says why and does nothing, and the
// windows grey those commands out. tickwell-cli never enters this mode.
#include "core/TrNoop.h"
#include <functional>
#include <string>

enum class TReadOnlyCause {
    None,
    CannotSave, // writing failed; the program tries again now and then
    CannotRead, // the file changed and cannot be read; a readable file ends it
    // The file was damaged when it was loaded: the whole events it held are
    // shown, and the file is left as it is until the user says to keep them
    // (asked at the first change), restores a backup, or another program
    // makes the file whole.
    Damaged,
};

TReadOnlyCause ReadOnlyCause();
// Why, for the user; empty when not read-only.
const std::string& ReadOnlyReason();
void SetReadOnly(TReadOnlyCause cause, const std::string& reason);
inline void EndReadOnly() {
    SetReadOnly(TReadOnlyCause::None, {});
}

// Called whenever the mode changes (the windows follow it). Returns the
// previous hook.
using TReadOnlyHook = std::function<void()>;
TReadOnlyHook SetReadOnlyHook(TReadOnlyHook hook);

// The check at the start of every command that changes events: while
// read-only, tells why and answers true. While the loaded file was damaged
// it asks instead whether to keep the events that were read, and answers
// false (the mode ends) when the user says so.
bool RefuseChange();
// Whether the commands that change events may be offered: always but while
// changes cannot be saved or the file cannot be read.
bool ChangesOffered();

// The question that lets the next save write over a damaged file.
std::string KeepWholeEventsQuestion(int count);

// The first line of the notice that changes cannot be saved now.
inline constexpr const char* kReadOnlyText = TW_TRANSLATE_NOOP(
    "Messages",
    "Changes to your events cannot be saved now, so Tickwell shows them without changing them.");
