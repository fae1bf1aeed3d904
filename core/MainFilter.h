#pragma once
// Which events the main list shows: the View menu's filter and "Filter Old
// Events".
#include "core/TickwellItem.h"

// View filter 0 all, 1 once only, 2..7 the repeat types Daily .. Accounting;
// with filterOld an event whose next date is before today fails.
bool PassesMainFilter(const TTickwellItem& e, int viewFilter, bool filterOld);
// The status bar's count text of a view filter, e.g. "  Daily Event(s) ".
const char* FilterText(int viewFilter);
