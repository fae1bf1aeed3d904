#pragma once
// Ownership of libical's components and strings.
#include <libical/ical.h>
#include <memory>
#include <optional>
#include <string>

struct TComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentFree>;

// The component as iCalendar text.
std::string ComponentText(icalcomponent* c);
// A property with a name of its own (X-...) and a text value.
icalproperty* NewXProperty(const char* name, const std::string& value);
// The component itself when it is a VEVENT, else its first VEVENT (or null).
icalcomponent* FirstEvent(icalcomponent* c);
// The value of the first such property of that name, in any case.
std::optional<std::string> XValue(icalcomponent* c, const char* name);
