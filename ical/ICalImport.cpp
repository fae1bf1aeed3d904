#include "ical/ICalImport.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/TrNoop.h"
#include "ical/ICalFields.h"
#include "store/AtomicFile.h"
#include "store/BusyCursor.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>

namespace {

constexpr size_t kListedRules = 12;

std::string Count(size_t n, const char* what) {
    return "\n" + std::to_string(n) + " " + what;
}

// One question for every event the program cannot repeat exactly.
TAnswer AskAboutInexact(const std::vector<const TICalEvent*>& inexact) {
    std::string text = "Tickwell cannot repeat these events on exactly the days of the file:";
    for (size_t i = 0; i < inexact.size() && i < kListedRules; ++i)
        text += "\n\"" + inexact[i]->Summary + "\": " + inexact[i]->Rule;
    if (inexact.size() > kListedRules)
        text += "\n... and " + std::to_string(inexact.size() - kListedRules) + " more";
    text += "\nImport each of them as its first occurrence only?\n"
            "(No leaves them out; Cancel imports nothing.)";
    return AskYesNoCancel(text);
}

std::string Listed(const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size() && i < kListedRules; ++i)
        text += "\n\"" + lines[i].first + "\": " + lines[i].second;
    if (lines.size() > kListedRules)
        text += "\n... and " + std::to_string(lines.size() - kListedRules) + " more";
    return text;
}

// Each event left out with its reason, and what was left out of the events
// that came in.
std::string Omissions(const TICalContents& c) {
    std::vector<std::pair<std::string, std::string>> out, partly, changed;
    for (const TICalLeftOut& e : c.LeftOut)
        out.emplace_back(e.Summary, e.Why);
    const auto joined = [](const std::vector<std::string>& parts) {
        std::string what;
        for (const std::string& d : parts)
            what += (what.empty() ? "" : "; ") + d;
        return what;
    };
    for (const TICalEvent& e : c.Events) {
        if (!e.Dropped.empty())
            partly.emplace_back(e.Summary, joined(e.Dropped));
        if (!e.Changes.empty())
            changed.emplace_back(e.Summary, joined(e.Changes));
    }
    std::string text;
    if (c.ReadAsWindows1252)
        text += "\nThe file is not UTF-8 text; it was read as Windows-1252";
    if (!out.empty())
        text += Count(out.size(), "event(s) not imported:") + Listed(out);
    if (!partly.empty())
        text += Count(partly.size(), "event(s) imported without a part that could not be read:") +
                Listed(partly);
    if (!changed.empty())
        text +=
            Count(changed.size(), "event(s) imported as Tickwell can hold them:") + Listed(changed);
    const size_t timed = static_cast<size_t>(std::count_if(
        c.Events.begin(), c.Events.end(), [](const TICalEvent& e) { return e.Timed; }));
    if (timed > 0)
        text += Count(timed, "event(s) at a time of day put on their day in this computer's time "
                             "zone");
    if (c.LinesPassedOver > 0)
        text += Count(c.LinesPassedOver, "line(s) that are not iCalendar passed over");
    return text;
}

// What another calendar knows of an event: its text and its days. The notice
// period, the keep flag and the acknowledgement are the user's own. The
// record's bytes hold "?" for what Windows-1252 cannot, so the full text
// counts too.
std::string ScheduleKey(EventRecord rec) {
    rec.NoticePeriod = 0;
    rec.KeepFlag = 0;
    return EventId(rec) + rec.Text;
}

// The UID and SEQUENCE another calendar gave the event; nothing for a UID of
// the export, which the event's id already carries.
std::optional<TEventExtras> ForeignExtras(const TICalEvent& e) {
    if (e.Uid.empty() || IdOfUid(e.Uid))
        return std::nullopt;
    TEventExtras x;
    x.ICalUid = e.Uid;
    x.ICalSequence = e.Sequence;
    return x;
}

bool HoldsExtras(const TTickwellItem& e, const TEventExtras& x) {
    return e.Extras && e.Extras->ICalUid == x.ICalUid && e.Extras->ICalSequence == x.ICalSequence;
}

void SetExtras(TTickwellItem& e, const TEventExtras& x) {
    if (!e.Extras)
        e.Extras = std::make_unique<TEventExtras>();
    e.Extras->ICalUid = x.ICalUid;
    e.Extras->ICalSequence = x.ICalSequence;
}

// The events of the list before the import, found by the event id a UID of
// the export carries, by the UID another calendar gave them, or by their text
// and days. Each is found once, so a file that holds an event twice meets two
// equal events.
class TKnownEvents {
public:
    explicit TKnownEvents(const TMyList& list) : Events(list.All()), Taken(Events.size()) {
        for (size_t i = 0; i < Events.size(); ++i) {
            EventRecord rec;
            Events[i]->ToRecord(rec);
            ById.emplace(EventId(*Events[i]), i);
            ByKey.emplace(ScheduleKey(rec), i);
            if (Events[i]->Extras && !Events[i]->Extras->ICalUid.empty())
                ByUid.emplace(Events[i]->Extras->ICalUid, i);
        }
    }
    TTickwellItem* TakeById(const std::string& id) { return Take(ById, id); }
    TTickwellItem* TakeByUid(const std::string& uid) { return Take(ByUid, uid); }
    TTickwellItem* TakeByKey(const std::string& key) { return Take(ByKey, key); }
    bool HoldsId(const std::string& id) const { return ById.contains(id); }

private:
    TTickwellItem* Take(const std::multimap<std::string, size_t>& index, const std::string& k) {
        for (auto [it, end] = index.equal_range(k); it != end; ++it)
            if (!Taken[it->second]) {
                Taken[it->second] = true;
                return Events[it->second];
            }
        return nullptr;
    }

    std::vector<TTickwellItem*> Events;
    std::vector<bool> Taken;
    std::multimap<std::string, size_t> ById;
    std::multimap<std::string, size_t> ByUid;
    std::multimap<std::string, size_t> ByKey;
};

void FreeAll(std::vector<TTickwellItem*>& items) {
    for (TTickwellItem* e : items)
        delete e;
    items.clear();
}

} // namespace

bool IsICalendarPath(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".ics";
}

TDataResult ImportICalendarCommand(TEventBook& book, const std::string& path) {
    TMyList& list = book.MasterList;
    if (RefuseChange())
        return {};
    TICalContents contents;
    try {
        // Checking the days of many repeating events takes a moment.
        TBusyCursor busy;
        TFileBytes bytes;
        std::string error;
        if (!ReadWholeFile(path, bytes, error))
            throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Import Error") "\n" + error + ": " +
                                 path);
        contents =
            ReadICalendar(bytes.View(), {ReadSetting(kDfltNotice), ReadSetting(kDfltKeepFlag)});
    } catch (const TTickwellError& e) {
        ShowMsg(e.what(), mkError);
        return {};
    }
    std::string ignored;
    if (contents.ToDos > 0)
        ignored += Count(contents.ToDos, "to-do(s) ignored");
    if (contents.ChangedOccurrences > 0)
        ignored +=
            Count(contents.ChangedOccurrences, "changed occurrence(s) of repeating events ignored");
    ignored += Omissions(contents);
    if (contents.Events.empty()) {
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "No events in iCalendar file") + ignored, mkError);
        return {};
    }
    // Events left out make the import a partial one, which a script must be
    // able to tell.
    const TMsgKind kind = contents.LeftOut.empty() ? mkInformation : mkWarning;

    std::vector<const TICalEvent*> inexact;
    for (const TICalEvent& e : contents.Events)
        if (!e.Exact)
            inexact.push_back(&e);
    bool takeInexact = false;
    if (!inexact.empty()) {
        const TAnswer answer = AskAboutInexact(inexact);
        if (answer == anCancel)
            return {};
        takeInexact = answer == anYes;
    }

    TKnownEvents known(list);
    std::vector<TEventUpdate> updates;
    std::vector<std::pair<TTickwellItem*, TEventExtras>> foreign;
    std::vector<TTickwellItem*> added;
    std::set<std::string> idsGiven;
    size_t unchanged = 0;
    try {
        for (const TICalEvent& e : contents.Events) {
            if (!e.Exact && !takeInexact)
                continue;
            // An event the export wrote takes the file's fields, which hold
            // any change made in the other calendar; one found by another
            // calendar's UID or by its text and days keeps the user's own
            // notice period and keep flag.
            const std::optional<std::string> ownId = IdOfUid(e.Uid);
            const std::optional<TEventExtras> extras = ForeignExtras(e);
            EventRecord rec = e.Record;
            TTickwellItem* old = ownId ? known.TakeById(*ownId) : nullptr;
            if (!old && ((extras && (old = known.TakeByUid(extras->ICalUid))) ||
                         (old = known.TakeByKey(ScheduleKey(e.Record))))) {
                rec.NoticePeriod = static_cast<int16_t>(old->NoticePeriod);
                rec.KeepFlag = old->KeepFlag;
            }
            // A file older than what the event was last updated from
            // changes nothing.
            if (old && extras && old->Extras && old->Extras->ICalUid == extras->ICalUid &&
                old->Extras->ICalSequence > extras->ICalSequence) {
                ++unchanged;
                continue;
            }
            if (old) {
                rec.AckDate = std::max(rec.AckDate, old->AckDate);
                EventRecord before;
                old->ToRecord(before);
                const bool renamed = extras && !HoldsExtras(*old, *extras);
                if (renamed)
                    foreign.emplace_back(old, *extras);
                if (!SameStoredFields(rec, before))
                    updates.push_back({old, rec});
                else if (!renamed)
                    ++unchanged;
                continue;
            }
            auto item = std::make_unique<TTickwellItem>(e.Record);
            if (!e.HasAck)
                AckPastOnCreate(*item);
            // Exported here, then deleted: it comes back under its id.
            if (ownId && !known.HoldsId(*ownId) && idsGiven.insert(*ownId).second)
                item->Id = ParseEventId(*ownId);
            if (extras)
                SetExtras(*item, *extras);
            item->SetSnooze(e.SnoozeUntil);
            added.push_back(item.release());
        }
    } catch (...) {
        FreeAll(added);
        throw;
    }
    // A new UID or SEQUENCE alone is a change the file must keep too.
    std::set<const TTickwellItem*> updated;
    for (const TEventUpdate& u : updates)
        updated.insert(u.Event);
    for (const auto& [event, extras] : foreign) {
        SetExtras(*event, extras);
        if (!updated.contains(event)) {
            EventRecord same;
            event->ToRecord(same);
            updates.push_back({event, same});
        }
    }

    std::string report = added.empty() && updates.empty() && unchanged == 0
                             ? TW_TRANSLATE_NOOP("Messages", "No events imported")
                             : TW_TRANSLATE_NOOP("Messages", "Import Successful");
    if (!added.empty())
        report += Count(added.size(), "event(s) added");
    if (!updates.empty())
        report += Count(updates.size(), "event(s) updated");
    if (unchanged > 0)
        report += Count(unchanged, "event(s) already in your list");
    if (!inexact.empty())
        report +=
            Count(inexact.size(), takeInexact ? "event(s) imported as their first occurrence only"
                                              : "event(s) left out");
    report += ignored;
    if (added.empty() && updates.empty()) {
        ShowMsg(report, kind);
        TDataResult result;
        result.Succeeded = true;
        return result;
    }
    return ImportEvents(book, updates, added, report, kind);
}
