#include "core/EventLists.h"
#include "core/Clock.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/ParallelChunks.h"
#include "core/TrNoop.h"
#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

// Events a thread takes at a time in the walks shared by several threads.
constexpr size_t kKeyChunk = 4096;

int CompareKeys(double a, double b) {
    if (a < b)
        return -1;
    if (a > b)
        return 1;
    return 0;
}

std::vector<TEventWatcher*>& Watchers() {
    static std::vector<TEventWatcher*> watchers;
    return watchers;
}

} // namespace

TEventWatcher::TEventWatcher() {
    Watchers().push_back(this);
}

TEventWatcher::~TEventWatcher() {
    std::erase(Watchers(), this);
}

void FreeEvents(std::vector<TTickwellItem*>& events, TScanList* due) {
    if (events.empty())
        return;
    if (due != nullptr)
        due->RemoveEvents(events);
    // A watcher may add or remove watchers as it lets go (a window closing),
    // so each is looked up again.
    const std::vector<TEventWatcher*> watchers = Watchers();
    for (TEventWatcher* w : watchers)
        if (std::find(Watchers().begin(), Watchers().end(), w) != Watchers().end())
            w->EventsFreeing(events);
    for (TTickwellItem* e : events)
        delete e;
    events.clear();
}

void TakeOut(TMyList& list, const std::vector<TTickwellItem*>& events) {
    list.RemoveEvents(events);
    if (list.Due && list.Due != &list)
        list.Due->RemoveEvents(events);
}

int TListSorted::AddSorted(TTickwellItem* e) {
    Taking(*e);
    for (size_t i = 0; i < Items.size(); ++i)
        if (Compare(*Items[i], *e) >= 0) {
            Items.insert(Items.begin() + static_cast<std::ptrdiff_t>(i), e);
            return static_cast<int>(i);
        }
    Items.push_back(e);
    return static_cast<int>(Items.size()) - 1;
}

namespace {

struct TPlaced {
    size_t Gap;
    double Key;
    size_t Order;
    TTickwellItem* Item;
};

// The items sorted by key, the later-added first among equal keys: by
// counting when the keys are whole day numbers within a span of a few days
// per item (a large file's next occurrences), otherwise by comparison. A
// wider span costs more in counts to clear than a sort: a small file's
// dates spread over years.
std::vector<TTickwellItem*> SortedByKey(const std::vector<TTickwellItem*>& items,
                                        const std::vector<double>& keys) {
    const size_t n = items.size();
    std::vector<TTickwellItem*> out(n);
    double lo = keys[0], hi = keys[0];
    bool whole = true;
    for (const double k : keys) {
        lo = std::min(lo, k);
        hi = std::max(hi, k);
        whole = whole && k == std::trunc(k);
    }
    const double span = hi - lo + 1;
    if (n >= 64 && whole && span <= 4.0 * static_cast<double>(n)) {
        std::vector<size_t> start(static_cast<size_t>(span) + 1, 0);
        for (const double k : keys)
            ++start[static_cast<size_t>(k - lo) + 1];
        for (size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        // Within a day the later-added come first: place from the last.
        for (size_t j = n; j-- > 0;)
            out[start[static_cast<size_t>(keys[j] - lo)]++] = items[j];
        return out;
    }
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return keys[a] != keys[b] ? keys[a] < keys[b] : a > b; });
    for (size_t i = 0; i < n; ++i)
        out[i] = items[order[i]];
    return out;
}

} // namespace

void TListSorted::AddSortedAll(const std::vector<TTickwellItem*>& items) {
    if (items.empty())
        return;
    for (TTickwellItem* e : items)
        Taking(*e);
    std::vector<double> newKeys(items.size());
    InChunks(items.size(), kKeyChunk, [&](size_t begin, size_t end) {
        for (size_t j = begin; j < end; ++j)
            newKeys[j] = Key(*items[j]);
    });
    bool anyNan = false;
    for (const double k : newKeys)
        anyNan = anyNan || std::isnan(k);
    std::vector<double> runningMax(Items.size());
    double m = -INFINITY;
    for (size_t i = 0; i < Items.size(); ++i) {
        const double k = Key(*Items[i]);
        anyNan = anyNan || std::isnan(k);
        runningMax[i] = m = std::max(m, k);
    }
    if (anyNan) {
        // Keys that compare with nothing break the ordering the fast path
        // relies on; keep the one-by-one semantics for them. Room is made
        // first, so no insertion can fail half way.
        Items.reserve(Items.size() + items.size());
        for (auto* e : items)
            AddSorted(e);
        return;
    }
    if (Items.empty()) {
        Items = SortedByKey(items, newKeys);
        return;
    }
    // A new event stops before the first existing entry whose key is not
    // smaller than its own, i.e. the first place where the running maximum
    // of the existing keys reaches it. Events that stop at the same place
    // form a group that is itself in sorted order, the later-added first
    // among equal keys.
    std::vector<TPlaced> placed;
    placed.reserve(items.size());
    for (size_t j = 0; j < items.size(); ++j) {
        const auto gap =
            static_cast<size_t>(std::lower_bound(runningMax.begin(), runningMax.end(), newKeys[j]) -
                                runningMax.begin());
        placed.push_back({gap, newKeys[j], j, items[j]});
    }
    std::sort(placed.begin(), placed.end(), [](const TPlaced& a, const TPlaced& b) {
        if (a.Gap != b.Gap)
            return a.Gap < b.Gap;
        if (a.Key != b.Key)
            return a.Key < b.Key;
        return a.Order > b.Order;
    });
    std::vector<TTickwellItem*> merged;
    merged.reserve(Items.size() + items.size());
    size_t p = 0;
    for (size_t i = 0; i <= Items.size(); ++i) {
        while (p < placed.size() && placed[p].Gap == i)
            merged.push_back(placed[p++].Item);
        if (i < Items.size())
            merged.push_back(Items[i]);
    }
    Items.swap(merged);
}

std::vector<TTickwellItem*> TListSorted::InFileOrder() const {
    std::vector<TTickwellItem*> out(Items);
    for (auto run = out.begin(); run != out.end();) {
        const double key = Key(**run);
        const auto end = std::find_if(
            run, out.end(), [&](const TTickwellItem* e) { return CompareKeys(Key(*e), key) != 0; });
        std::stable_sort(run, end, AddedEarlier);
        run = end == run ? run + 1 : end;
    }
    return out;
}

int TListSorted::IndexOf(const TTickwellItem* e) const {
    const auto it = std::find(Items.begin(), Items.end(), e);
    return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
}

std::vector<int> TListSorted::IndexesOf(const std::vector<TTickwellItem*>& events) const {
    std::unordered_map<const TTickwellItem*, int> where;
    where.reserve(events.size());
    for (const TTickwellItem* e : events)
        where.emplace(e, -1);
    size_t found = 0;
    for (size_t i = 0; i < Items.size() && found < where.size(); ++i) {
        const auto it = where.find(Items[i]);
        // The first entry counts, as with IndexOf.
        if (it != where.end() && it->second < 0) {
            it->second = static_cast<int>(i);
            ++found;
        }
    }
    std::vector<int> indexes;
    indexes.reserve(events.size());
    for (const TTickwellItem* e : events)
        indexes.push_back(where.find(e)->second);
    return indexes;
}

void TListSorted::Remove(const TTickwellItem* e) {
    const int i = IndexOf(e);
    if (i >= 0)
        RemoveAt(i);
}

void TListSorted::RemoveAt(int i) {
    Items.erase(Items.begin() + i);
}

void TListSorted::RemoveEvents(const std::vector<TTickwellItem*>& events) {
    if (events.empty() || Items.empty())
        return;
    const std::unordered_set<const TTickwellItem*> gone(events.begin(), events.end());
    std::erase_if(Items, [&](TTickwellItem* e) { return gone.count(e) != 0; });
}

int TScanList::Compare(const TTickwellItem& a, const TTickwellItem& b) const {
    return CompareKeys(a.ScanDate, b.ScanDate);
}

int TMyList::Compare(const TTickwellItem& a, const TTickwellItem& b) const {
    return CompareKeys(a.NextDate, b.NextDate);
}

void TMyList::Taking(TTickwellItem& e) {
    if (e.AddedOrder == 0)
        e.AddedOrder = ++LastAdded;
    // A new event's id is drawn here, so that it is known before the save
    // that stores it (a command prints it; the windows keep it selected).
    if (e.Id == 0)
        e.Id = NewEventId();
}

TMyList::~TMyList() {
    FreeAll();
}

void TMyList::DeleteAt(int index) {
    if (index < 0 || index >= Count()) {
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "Events List Error. Terminating"), mkWarning);
        RequestApplicationEnd();
        return;
    }
    std::vector<TTickwellItem*> gone{Items[static_cast<size_t>(index)]};
    Items.erase(Items.begin() + index);
    FreeEvents(gone, Due);
}

void TMyList::FreeAll() {
    std::vector<TTickwellItem*> gone;
    gone.swap(Items);
    FreeEvents(gone, Due);
}

void TMyList::ResetAll() {
    const double today = Today();
    for (auto* e : Items) {
        e->NextDate = 0;
        e->PrevDate = 0;
        e->ScanDate = 0;
        e->DueKind = dkNotDue;
        e->Recalc(today);
    }
}

bool TMyList::Scan() {
    if (Due == nullptr)
        return false;
    return ScanInto(*Due);
}

namespace {

// Sets the event's scan date and due kind when the scan lists it.
bool TakeDue(TTickwellItem& e, TDateTime today, bool filterPast) {
    const TDueKind k = e.DueState(today);
    if (k == dkComing || k == dkToday)
        e.ScanDate = e.NextDate;
    else if ((k == dkOverdue || k == dkPastEnd) && !filterPast)
        e.ScanDate = e.PrevDate;
    else
        return false;
    e.DueKind = k;
    return true;
}

} // namespace

bool TMyList::ScanInto(TScanList& due) {
    due.Clear();
    const double now = Now();
    const double today = DateOf(now);
    // Each event is asked once, by one of several threads; the list order of the
    // events found is kept by collecting them afterwards.
    std::vector<uint8_t> listed(Items.size());
    InChunks(Items.size(), kKeyChunk, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            TTickwellItem* e = Items[i];
            if (!e->SnoozedAt(now) && TakeDue(*e, today, FilterPast))
                listed[i] = 1;
        }
    });
    std::vector<TTickwellItem*> found;
    for (size_t i = 0; i < Items.size(); ++i)
        if (listed[i])
            found.push_back(Items[i]);
    // Among equal scan dates the later found goes first: found from the
    // last added on, the first added comes first.
    std::stable_sort(
        found.begin(), found.end(),
        [](const TTickwellItem* a, const TTickwellItem* b) { return AddedEarlier(b, a); });
    due.AddSortedAll(found);
    return !found.empty();
}

std::vector<TTickwellItem*> TMyList::SnoozedDue() const {
    const double now = Now();
    std::vector<TTickwellItem*> out;
    for (TTickwellItem* e : Items)
        if (e->SnoozedAt(now) && TakeDue(*e, DateOf(now), FilterPast))
            out.push_back(e);
    return out;
}

TDateTime TMyList::NextSnoozeEnd() const {
    const double now = Now();
    TDateTime next = 0;
    for (const TTickwellItem* e : Items)
        if (e->SnoozedAt(now) && (next == 0 || e->SnoozeEnd() < next))
            next = e->SnoozeEnd();
    return next;
}
