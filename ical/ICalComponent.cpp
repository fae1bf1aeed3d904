#include "ical/ICalComponent.h"
#include <strings.h>

std::string ComponentText(icalcomponent* c) {
    char* text = icalcomponent_as_ical_string_r(c);
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

icalproperty* NewXProperty(const char* name, const std::string& value) {
    icalproperty* p = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(p, name);
    return p;
}

icalcomponent* FirstEvent(icalcomponent* c) {
    if (!c)
        return nullptr;
    return icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT
               ? c
               : icalcomponent_get_first_component(c, ICAL_VEVENT_COMPONENT);
}

std::optional<std::string> XValue(icalcomponent* c, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n && ::strcasecmp(n, name) == 0) {
            const char* v = icalproperty_get_x(p);
            return v ? v : "";
        }
    }
    return std::nullopt;
}
