#pragma once
// A new event from the add command's options, built as the event editor
// builds one: its defaults, its checks in its order and with its messages,
// and the record it fills.
#include "cli/CliArgs.h"
#include "cli/CliSettings.h"
#include "core/EventRecord.h"
#include <string>

// The record of the new event (AckDate 0; the caller applies
// AckPastOnCreate). Options the editor would not offer for the chosen type
// (an interval for a once-only event, a rank outside the type's list, ...)
// throw TUsageError; the editor's own checks (core/NewEventRules.h) throw
// TTickwellError with its messages.
EventRecord BuildNewEventRecord(const TAddOptions& options, const TEditorDefaults& defaults);

// Line breaks as the program stores them: every line feed not already
// preceded by a carriage return gets one.
std::string WithCrLf(const std::string& text);
