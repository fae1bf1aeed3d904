#pragma once
// The busy cursor of long operations. The windows install a hook that shows
// and hides it; without one nothing is shown. Nested operations keep it up
// until the outermost one ends, and it is restored on every way out.
#include <functional>

// Called with true when the busy cursor should appear, false when the normal
// one comes back.
using TBusyCursorHook = std::function<void(bool busy)>;
// Replaces the hook; returns the previous one.
TBusyCursorHook SetBusyCursorHook(TBusyCursorHook hook);
// True while a long operation runs (delete and copy ignore their command then).
bool BusyCursorShowing();

class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
