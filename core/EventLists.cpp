#include "core/EventLists.h"
#include "core/Clock.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>
#include <utility>

namespace {

int CompareKeys(double a, double b) {
    if (a < b)
        return -1;
    if (a > b)
        return 1;
    return 0;
}

} // namespace

int TListSorted::AddSorted(TTickwellItem* e) {
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

// Sorted by key, the later-added first among equal keys, by counting when
// the keys are whole day numbers within a modest span (the usual case: a
// data file's next occurrences), otherwise by comparison.
void SortGroup(std::vector<TPlaced>& group) {
    if (group.size() < 64) {
        std::sort(group.begin(), group.end(), [](const TPlaced& a, const TPlaced& b) {
            return a.Key != b.Key ? a.Key < b.Key : a.Order > b.Order;
        });
        return;
    }
    double lo = group[0].Key, hi = group[0].Key;
    bool whole = true;
    for (const auto& p : group) {
        lo = std::min(lo, p.Key);
        hi = std::max(hi, p.Key);
        whole = whole && p.Key == std::trunc(p.Key);
    }
    const double span = hi - lo + 1;
    if (!whole || span > 4.0 * static_cast<double>(group.size()) + 65536) {
        std::sort(group.begin(), group.end(), [](const TPlaced& a, const TPlaced& b) {
            return a.Key != b.Key ? a.Key < b.Key : a.Order > b.Order;
        });
        return;
    }
    const auto buckets = static_cast<size_t>(span);
    std::vector<size_t> start(buckets + 1, 0);
    for (const auto& p : group)
        ++start[static_cast<size_t>(p.Key - lo) + 1];
    for (size_t b = 0; b < buckets; ++b)
        start[b + 1] += start[b];
    std::vector<TPlaced> out(group.size());
    // Within a bucket the later-added come first: place from the last.
    for (size_t i = group.size(); i-- > 0;)
        out[start[static_cast<size_t>(group[i].Key - lo)]++] = group[i];
    group.swap(out);
}

} // namespace

void TListSorted::AddSortedAll(const std::vector<TTickwellItem*>& items) {
    if (items.empty())
        return;
    std::vector<double> newKeys(items.size());
    bool anyNan = false;
    for (size_t j = 0; j < items.size(); ++j) {
        newKeys[j] = Key(*items[j]);
        anyNan = anyNan || std::isnan(newKeys[j]);
    }
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
    if (Items.empty()) {
        SortGroup(placed);
        Items.reserve(placed.size());
        for (const auto& p : placed)
            Items.push_back(p.Item);
        return;
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

int TListSorted::IndexOf(const TTickwellItem* e) const {
    const auto it = std::find(Items.begin(), Items.end(), e);
    return it == Items.end() ? -1 : static_cast<int>(it - Items.begin());
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

TMyList::~TMyList() {
    FreeAll();
}

void TMyList::DeleteAt(int index) {
    if (index < 0 || index >= Count()) {
        ShowMsg("Events List Error. Terminating", mkWarning);
        RequestApplicationEnd();
        return;
    }
    TTickwellItem* e = Items[static_cast<size_t>(index)];
    Items.erase(Items.begin() + index);
    if (DueList != nullptr && DueList != this)
        DueList->Remove(e);
    delete e;
}

void TMyList::FreeAll() {
    if (Items.empty())
        return;
    if (DueList != nullptr && DueList != this)
        DueList->RemoveEvents(Items);
    for (auto* e : Items)
        delete e;
    Items.clear();
}

void TMyList::ResetAll() {
    for (auto* e : Items) {
        e->NextDate = 0;
        e->PrevDate = 0;
        e->ScanDate = 0;
        e->DueKind = dkNotDue;
        e->Recalc();
    }
}

namespace {

std::function<void()>& ScanCheck() {
    static std::function<void()> check;
    return check;
}

} // namespace

void SetScanCheck(std::function<void()> check) {
    ScanCheck() = std::move(check);
}

bool TMyList::Scan() {
    if (DueList == nullptr)
        return false;
    if (ScanCheck())
        ScanCheck()();
    return ScanInto(*DueList);
}

bool TMyList::ScanInto(TScanList& due) {
    due.Clear();
    const double today = Today();
    std::vector<TTickwellItem*> found;
    for (auto* e : Items) {
        const TDueKind k = e->DueState(today);
        if (k == dkComing || k == dkToday) {
            e->ScanDate = e->NextDate;
        } else if ((k == dkOverdue || k == dkPastEnd) && !FilterPast) {
            e->ScanDate = e->PrevDate;
        } else {
            continue;
        }
        e->DueKind = k;
        found.push_back(e);
    }
    due.AddSortedAll(found);
    return !found.empty();
}
