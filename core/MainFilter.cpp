#include "core/MainFilter.h"

namespace {

const char* const kFilterTexts[8] = {
    "  Event(s) ",        "  Once Only Event(s) ",      "  Daily Event(s) ",
    "  Weekly Event(s) ", "  Monthly - Date Event(s) ", "  Monthly - Day Event(s) ",
    "  Yearly Event(s) ", "  Accounting Event(s) ",
};

} // namespace

bool PassesMainFilter(const TTickwellItem& e, int viewFilter, bool filterOld) {
    bool pass = false;
    if (viewFilter == 0)
        pass = true;
    else if (viewFilter == 1)
        pass = e.Simple;
    else if (viewFilter >= 2 && viewFilter <= 7)
        pass = !e.Simple && e.EventType == viewFilter - 2;
    if (pass && filterOld && IsOld(e))
        pass = false;
    return pass;
}

const char* FilterText(int viewFilter) {
    return viewFilter >= 0 && viewFilter <= 7 ? kFilterTexts[viewFilter] : "";
}
