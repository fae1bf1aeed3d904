#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_set>

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

void TListSorted::AddSortedAll(const std::vector<TTickwellItem*>& items) {
    if (items.empty())
        return;
    const auto isNan = [this](const TTickwellItem* e) { return std::isnan(Key(*e)); };
    if (std::any_of(items.begin(), items.end(), isNan) ||
        std::any_of(Items.begin(), Items.end(), isNan)) {
        // Keys that compare with nothing break the ordering the fast path
        // relies on; keep the one-by-one semantics for them.
        for (auto* e : items)
            AddSorted(e);
        return;
    }
    // A new event stops before the first existing entry whose key is not
    // smaller than its own, i.e. the first place where the running maximum
    // of the existing keys reaches it. Events that stop at the same place
    // form a group that is itself in sorted order, the later-added first
    // among equal keys.
    std::vector<double> runningMax(Items.size());
    double m = -INFINITY;
    for (size_t i = 0; i < Items.size(); ++i)
        runningMax[i] = m = std::max(m, Key(*Items[i]));
    struct TPlaced {
        size_t Gap;
        double Key;
        size_t Order;
        TTickwellItem* Item;
    };
    std::vector<TPlaced> placed;
    placed.reserve(items.size());
    for (size_t j = 0; j < items.size(); ++j) {
        const double k = Key(*items[j]);
        const auto gap = static_cast<size_t>(
            std::lower_bound(runningMax.begin(), runningMax.end(), k) - runningMax.begin());
        placed.push_back({gap, k, j, items[j]});
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

bool TMyList::Scan() {
    if (DueList == nullptr)
        return false;
    return ScanInto(*DueList);
}

bool TMyList::ScanInto(TScanList& due) {
    due.Clear();
    std::vector<TTickwellItem*> found;
    for (auto* e : Items) {
        const TDueKind k = e->DueState();
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
