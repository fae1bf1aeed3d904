#pragma once
// Which events of a list occur on which of a run of days, found from each
// event's rule rather than by asking every day: the calendar's month and week
// and tickwell-cli's month.
#include "core/EventLists.h"
#include <functional>
#include <vector>

// Calls found(index, days) for each event of the list that occurs in the
// `count` days from first, in list order, with the days it occurs on.
void ForEachOccurring(const TListSorted& list, TDateTime first, int count,
                      const std::function<void(int, const std::vector<TDateTime>&)>& found);

// The events on each day, each day's the first added first: the list's own
// order follows next dates, which move with every edit and every day.
std::vector<std::vector<TTickwellItem*>> EventsByDay(const TListSorted& list, TDateTime first,
                                                     int count);
