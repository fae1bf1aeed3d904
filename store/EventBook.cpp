#include "store/EventBook.h"
#include "core/Clock.h"
#include "core/Messages.h"
#include "core/Snooze.h"
#include "store/DataFile.h"
#include "store/SettingsSchema.h"
#include <algorithm>

TEventBookReader::~TEventBookReader() = default;
void TEventBookReader::EventsAdded(const std::vector<TTickwellItem*>&) {}
void TEventBookReader::EventsChanged(const std::vector<TTickwellItem*>&) {}
void TEventBookReader::EventsRemoved(const std::vector<TTickwellItem*>&) {}
void TEventBookReader::EventsReset() {}
void TEventBookReader::DueListRebuilt() {}

TEventBook::TEventBook() : DayComputed(Today()) {
    MasterList.Due = &DueList;
}

TEventBook::~TEventBook() {
    Readers.clear();
    MasterList.FreeAll();
}

bool TEventBook::Load(const std::string& path) {
    MasterList.FileName = path;
    // Loading works out every event for this day; a load that runs past
    // midnight is caught by the first scan.
    DayComputed = Today();
    return LoadSynced(MasterList);
}

void TEventBook::AddReader(TEventBookReader* reader) {
    if (std::find(Readers.begin(), Readers.end(), reader) == Readers.end())
        Readers.push_back(reader);
}

void TEventBook::RemoveReader(TEventBookReader* reader) {
    std::erase(Readers, reader);
}

void TEventBook::TellEach(const std::function<void(TEventBookReader&)>& tell) {
    // A reader may come or go while told (a window closing on a notice), so
    // each is looked up again.
    const std::vector<TEventBookReader*> readers = Readers;
    for (TEventBookReader* r : readers)
        if (std::find(Readers.begin(), Readers.end(), r) != Readers.end())
            tell(*r);
}

void TEventBook::Tell(TNotice notice, const std::vector<TTickwellItem*>& events) {
    TellEach([&](TEventBookReader& r) { (r.*notice)(events); });
}

void TEventBook::Tell(void (TEventBookReader::*notice)()) {
    TellEach([&](TEventBookReader& r) { (r.*notice)(); });
}

void TEventBook::Save(std::string& error) {
    try {
        SaveEvents(MasterList, MasterList.FileName);
    } catch (const TTickwellError& e) {
        error = e.what();
        return;
    }
    if (AfterSave)
        AfterSave();
}

bool TEventBook::Rescan() {
    if (BeforeScan)
        BeforeScan();
    const bool newDay = DayComputed != Today();
    if (newDay) {
        DayComputed = Today();
        MasterList.ResetAll();
    }
    DueList.Clear();
    MasterList.Scan();
    return newDay;
}

void TEventBook::SaveAndTell(TNotice notice, const std::vector<TTickwellItem*>& events) {
    std::string error;
    Save(error);
    // A save that took in other programs' changes may have changed any
    // event: every reader starts again.
    const bool merged = MasterList.Synced && MasterList.Synced->MergedOutside;
    if (Rescan() || merged)
        Tell(&TEventBookReader::EventsReset);
    else
        Tell(notice, events);
    if (!error.empty())
        throw TTickwellError(error);
}

int TEventBook::Add(TTickwellItem* event) {
    MasterList.AddSorted(event);
    SaveAndTell(&TEventBookReader::EventsAdded, {event});
    return MasterList.IndexOf(event);
}

void TEventBook::Edit(TTickwellItem* event, const EventRecord& record) {
    event->AssignRecord(record);
    event->Reset();
    SaveAndTell(&TEventBookReader::EventsChanged, {event});
}

bool TEventBook::Acknowledge(TTickwellItem* event) {
    return AcknowledgeAll({event}) == 1;
}

int TEventBook::AcknowledgeAll(const std::vector<TTickwellItem*>& events) {
    std::vector<TTickwellItem*> done;
    const std::vector<int> where = DueList.IndexesOf(events);
    // A snoozed event would be due but for the snooze, which the
    // acknowledgement ends.
    std::vector<TTickwellItem*> snoozed;
    if (std::find(where.begin(), where.end(), -1) != where.end())
        snoozed = MasterList.SnoozedDue();
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i] &&
            (where[i] >= 0 ||
             std::find(snoozed.begin(), snoozed.end(), events[i]) != snoozed.end()) &&
            std::find(done.begin(), done.end(), events[i]) == done.end()) {
            events[i]->AckDate = events[i]->ScanDate;
            events[i]->SetSnooze(0);
            done.push_back(events[i]);
        }
    if (!done.empty())
        SaveAndTell(&TEventBookReader::EventsChanged, done);
    return static_cast<int>(done.size());
}

void TEventBook::Snooze(const std::vector<TTickwellItem*>& events, TDateTime until) {
    std::vector<TTickwellItem*> changed;
    for (TTickwellItem* e : events)
        if (e && std::find(changed.begin(), changed.end(), e) == changed.end()) {
            e->SetSnooze(until);
            changed.push_back(e);
        }
    if (!changed.empty())
        SaveAndTell(&TEventBookReader::EventsChanged, changed);
}

void TEventBook::SnoozeForPeriod(const std::vector<TTickwellItem*>& events) {
    Snooze(events, SnoozeEndFrom(Now(), ReadSetting(kSnoozeMinutes)));
}

bool TEventBook::ClearAcknowledgement(TTickwellItem* event) {
    if (!event || event->AckDate == 0)
        return false;
    event->AckDate = 0;
    SaveAndTell(&TEventBookReader::EventsChanged, {event});
    return true;
}

bool TEventBook::Delete(TTickwellItem* event, bool warnRepeating, const std::string& name) {
    if (!ConfirmDelete(MasterList, event, warnRepeating, name))
        return false;
    std::vector<TTickwellItem*> gone{event};
    TakeOut(MasterList, gone);
    try {
        SaveAndTell(&TEventBookReader::EventsRemoved, gone);
    } catch (...) {
        FreeEvents(gone, &DueList);
        throw;
    }
    FreeEvents(gone, &DueList);
    return true;
}

void TEventBook::SaveChanges() {
    std::string error;
    Save(error);
    if (!error.empty())
        throw TTickwellError(error);
}

void TEventBook::AnnounceReset() {
    Rescan();
    Tell(&TEventBookReader::EventsReset);
}

bool TEventBook::Scan() {
    if (Rescan())
        Tell(&TEventBookReader::EventsReset);
    else
        Tell(&TEventBookReader::DueListRebuilt);
    return !DueList.Empty();
}

void TEventBook::NewDay() {
    DayComputed = Today();
    MasterList.ResetAll();
    DueList.Clear();
    MasterList.Scan();
    Tell(&TEventBookReader::EventsReset);
}

TSyncReport TEventBook::Sync() {
    bool changed = false;
    if (MasterList.Synced) {
        changed = !MasterList.Synced->Retired.empty() || MasterList.Synced->MergedOutside;
        MasterList.Synced->MergedOutside = false;
    }
    FreeRetired(MasterList);
    const TSyncReport report = SyncFromDisk(MasterList);
    if (changed || report.Any()) {
        Rescan();
        Tell(&TEventBookReader::EventsReset);
    }
    return report;
}

void TEventBook::SaveAgain() {
    SaveAndTell(&TEventBookReader::EventsChanged, {});
}
