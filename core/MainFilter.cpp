#include "core/MainFilter.h"
#include "core/TrNoop.h"

namespace {

// The main window translates these.
const char* const kFilterTexts[8] = {
    TW_TRANSLATE_NOOP("TMainFrm", "  Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Once Only Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Daily Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Weekly Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Monthly - Date Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Monthly - Day Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Yearly Event(s) "),
    TW_TRANSLATE_NOOP("TMainFrm", "  Accounting Event(s) "),
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
