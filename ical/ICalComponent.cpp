#include "ical/ICalComponent.h"

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
