#pragma once
// How events appear on the command line: tab-separated text rows and JSON
// objects, for the list, the due list and the month view.
#include "core/EventLists.h"
#include <ostream>
#include <string>

// The first line of a description with tabs and other control characters
// turned into blanks, so that a row keeps its columns.
std::string RowText(const std::string& description);

// The list index, the id, next date, days to next, type name, interval, last
// acknowledged (empty when never), first line.
std::string ListRow(const TTickwellItem& e, int index);
// Every stored and derived field and the id; dueKind is DueState() as of
// today; a date that is day 0 (never acknowledged, no previous occurrence, no
// end) is null. With an index of 0 or more, "index" comes first.
std::string EventJson(const TTickwellItem& e, int index = -1);
// How commands name an event to the user: the first line of its
// description and a date, "Pay rent (2027-01-01)".
std::string EventName(const TTickwellItem& e, TDateTime date);

// Whole days from today to the date, negative for a past date.
long long DaysFromToday(TDateTime d);

// Text rows start with the index and the id.
void WriteList(std::ostream& out, const TMyList& list, bool json);
// The due list after a scan of `list`, in due-list order, each with its
// master-list index and its id.
// In JSON, then the events a snooze leaves out of it, each with
// "snoozedUntil"; the text rows stay the events due now.
void WriteDue(std::ostream& out, const TMyList& list, const TScanList& due, bool json,
              const std::vector<TTickwellItem*>& snoozed = {});
// Each day of the month with the events that occur on it, in list order.
// JSON: every day of the month, each with an array of list indexes.
void WriteMonth(std::ostream& out, const TMyList& list, int year, int month, bool json);
