#include "store/BusyCursor.h"
#include <utility>

namespace {
TBusyCursorHook& Hook() {
    static TBusyCursorHook hook;
    return hook;
}
int depth = 0;
} // namespace

TBusyCursorHook SetBusyCursorHook(TBusyCursorHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

bool BusyCursorShowing() {
    return depth > 0;
}

TBusyCursor::TBusyCursor() {
    if (depth++ == 0 && Hook())
        Hook()(true);
}

TBusyCursor::~TBusyCursor() {
    if (--depth == 0 && Hook()) {
        try {
            Hook()(false);
        } catch (...) {
            // A destructor must not throw; the cursor hook is cosmetic.
        }
    }
}
