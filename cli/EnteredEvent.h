#pragma once
// An event entered with the options of add or edit, taken as the event
// editor takes what is typed into it: its defaults or the event's fields as
// it shows them, the options given changed as its controls would change,
// its checks in its order and with its messages, and the record it fills.
#include "cli/CliArgs.h"
#include "cli/CliSettings.h"
#include "core/EventRecord.h"
#include "core/TickwellItem.h"
#include <string>

// The record of the new event (AckDate 0; the caller applies
// AckPastOnCreate). Options the editor would not offer for the chosen type
// (an interval for a once-only event, a rank outside the type's list, ...)
// throw TUsageError; the editor's own checks (core/NewEventRules.h) throw
// TTickwellError with its messages.
EventRecord BuildNewEventRecord(const TEventOptions& options, const TEditorDefaults& defaults);

// The event's new record, as the editor would store it had the user changed
// only the fields given; throws as BuildNewEventRecord.
EventRecord BuildEditedRecord(const TEventOptions& options, const TTickwellItem& event);

// Line breaks as the program stores them: every line feed not already
// preceded by a carriage return gets one.
std::string WithCrLf(const std::string& text);
