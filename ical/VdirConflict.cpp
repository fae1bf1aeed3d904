#include "ical/VdirConflict.h"
#include "core/Messages.h"
#include "ical/ICalComponent.h"
#include "ical/ICalFields.h"
#include "ical/ICalImport.h"
#include <cstring>
#include <strings.h>

namespace {

// An event as one value: a server keeps the value as it is and on one
// logical line when it holds only printable ASCII with no meaning in a
// property value, so every other byte (and %) is written as %XX.
std::string Escaped(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7e || std::strchr("%,;\\\"", c)) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Unescaped(const std::string& text) {
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && digit(text[i + 1]) >= 0 &&
            digit(text[i + 2]) >= 0) {
            out += static_cast<char>(digit(text[i + 1]) * 16 + digit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Collected before any change: libical's components share one property
// iterator.
std::vector<icalproperty*> OthersOf(icalcomponent* ev) {
    std::vector<icalproperty*> out;
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_X_PROPERTY))
        if (const char* n = icalproperty_get_x_name(p); n && ::strcasecmp(n, kXOther) == 0)
            out.push_back(p);
    return out;
}

std::string AsCalendar(const std::string& eventText) {
    return std::string("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:") + kProdId + "\r\n" + eventText +
           "END:VCALENDAR\r\n";
}

// What makes two versions the same event: the fields and text the program
// keeps, where it can read them as one event; else the event's text but
// for the stamps every writer changes.
std::string KeyOf(const std::string& eventText) {
    TICalDefaults defaults;
    defaults.WithoutParts = true;
    try {
        const TICalContents c = ReadICalendar(AsCalendar(eventText), defaults);
        if (c.Events.size() == 1 && c.Events.front().Exact && c.LeftOut.empty()) {
            const TICalEvent& e = c.Events.front();
            return VersionFields(e.Record) + '\n' + e.Uid + (e.HasAck ? "\n+" : "\n-");
        }
    } catch (const TTickwellError&) {
    }
    std::string key;
    for (size_t at = 0; at < eventText.size();) {
        size_t end = eventText.find('\n', at);
        end = end == std::string::npos ? eventText.size() : end + 1;
        const std::string line = eventText.substr(at, end - at);
        if (line.rfind("DTSTAMP", 0) != 0 && line.rfind("LAST-MODIFIED", 0) != 0)
            key += line;
        at = end;
    }
    return key;
}

struct TParsed {
    TComponent Root;
    icalcomponent* Event = nullptr;
};

TParsed Parse(const std::string& text, const char* side) {
    TParsed p{TComponent(icalparser_parse_string(text.c_str()))};
    p.Event = FirstEvent(p.Root.get());
    if (!p.Event)
        throw TTickwellError(std::string("The item ") + side +
                             " holds no event: the two cannot be merged");
    return p;
}

// The event's text without the versions it carries.
std::string OwnText(icalcomponent* ev) {
    TComponent copy(icalcomponent_new_clone(ev));
    for (icalproperty* p : OthersOf(copy.get())) {
        icalcomponent_remove_property(copy.get(), p);
        icalproperty_free(p);
    }
    return ComponentText(copy.get());
}

} // namespace

std::string VersionFields(const EventRecord& rec) {
    return PackedRecord(rec) + rec.Description();
}

std::string MergedItem(const std::string& a, const std::string& b) {
    TParsed ours = Parse(a, "a");
    TParsed theirs = Parse(b, "b");
    if (XValue(ours.Event, kXPartOf))
        return a;
    std::vector<std::string> keys{KeyOf(OwnText(ours.Event))};
    std::vector<std::string> carried;
    const auto carry = [&](const std::string& eventText) {
        std::string key = KeyOf(eventText);
        for (const std::string& k : keys)
            if (k == key)
                return;
        keys.push_back(std::move(key));
        carried.push_back(eventText);
    };
    for (icalproperty* p : OthersOf(ours.Event))
        carry(Unescaped(icalproperty_get_x(p) ? icalproperty_get_x(p) : ""));
    carry(OwnText(theirs.Event));
    for (icalproperty* p : OthersOf(theirs.Event))
        carry(Unescaped(icalproperty_get_x(p) ? icalproperty_get_x(p) : ""));
    for (icalproperty* p : OthersOf(ours.Event)) {
        icalcomponent_remove_property(ours.Event, p);
        icalproperty_free(p);
    }
    for (const std::string& text : carried)
        icalcomponent_add_property(ours.Event, NewXProperty(kXOther, Escaped(text)));
    return ComponentText(ours.Root.get());
}

std::vector<std::string> OtherVersions(const std::string& item) {
    std::vector<std::string> out;
    TComponent root(icalparser_parse_string(item.c_str()));
    if (icalcomponent* ev = FirstEvent(root.get()))
        for (icalproperty* p : OthersOf(ev))
            out.push_back(
                AsCalendar(Unescaped(icalproperty_get_x(p) ? icalproperty_get_x(p) : "")));
    return out;
}
