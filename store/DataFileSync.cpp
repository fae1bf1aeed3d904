#include "store/DataFileSync.h"
#include "core/EventId.h"
#include "core/EventRecord.h"
#include "core/Messages.h"
#include "core/ParallelChunks.h"
#include "core/TrNoop.h"
#include "store/DataFile.h"
#include "store/DataFileLock.h"
#include "store/ReadOnlyMode.h"
#include "store/StopPoint.h"
#include <algorithm>
#include <bit>
#include <memory>
#include <utility>

namespace {

struct TKeyed {
    TKeyedAck Id;
    TTickwellItem* Event;
};

std::uint64_t AckBits(double ack) {
    return std::bit_cast<std::uint64_t>(ack);
}

TFileSyncState& StateOf(TMyList& list) {
    if (!list.Synced)
        list.Synced = std::make_shared<TFileSyncState>();
    return *list.Synced;
}

// Each event with its identity, sorted by identity then acknowledgement.
std::vector<TKeyed> Keyed(const std::vector<TTickwellItem*>& events) {
    std::vector<TKeyed> keyed(events.size());
    InChunks(events.size(), 4096, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i)
            keyed[i] = {{EventKey(*events[i]), AckBits(events[i]->AckDate)}, events[i]};
    });
    std::sort(keyed.begin(), keyed.end(),
              [](const TKeyed& a, const TKeyed& b) { return a.Id < b.Id; });
    return keyed;
}

std::vector<TKeyedAck> Ids(const std::vector<TKeyed>& keyed) {
    std::vector<TKeyedAck> ids;
    ids.reserve(keyed.size());
    for (const TKeyed& k : keyed)
        ids.push_back(k.Id);
    return ids;
}

// Takes `theirs` (the file as it is now, read into unlisted events) into
// `list`, whose file held `base` when the list last read or wrote it. Per
// identity, the list's own changes since base (acknowledgements changed,
// events removed or added) are applied to theirs, and the list is then made
// equal to the result, keeping its own event objects wherever one fits, so
// that windows and callers keep theirs. Events the list no longer holds are
// returned in `gone`, out of every list but not freed. Takes `theirs` over.
TSyncReport MergeInto(TMyList& list, const std::vector<TKeyedAck>& base,
                      std::vector<TTickwellItem*>& theirs, std::vector<TTickwellItem*>& gone) {
    TSyncReport report;
    report.Result = TSyncResult::Merged;
    const std::vector<TKeyed> mine = Keyed(list.All());
    const std::vector<TKeyed> other = Keyed(theirs);
    std::vector<TTickwellItem*> added;
    std::vector<TTickwellItem*> unused;

    size_t b = 0, m = 0, t = 0;
    std::vector<std::uint64_t> baseAcks, removedByMe;
    std::vector<TKeyed> mineGroup, addedByMe;
    struct TResult {
        std::uint64_t Ack;
        bool Claimed;
    };
    std::vector<TResult> result;
    while (b < base.size() || m < mine.size() || t < other.size()) {
        std::uint64_t key = UINT64_MAX;
        if (b < base.size())
            key = std::min(key, base[b].Key);
        if (m < mine.size())
            key = std::min(key, mine[m].Id.Key);
        if (t < other.size())
            key = std::min(key, other[t].Id.Key);
        baseAcks.clear();
        for (; b < base.size() && base[b].Key == key; ++b)
            baseAcks.push_back(base[b].Ack);
        mineGroup.clear();
        for (; m < mine.size() && mine[m].Id.Key == key; ++m)
            mineGroup.push_back(mine[m]);
        result.clear();
        const size_t theirFirst = t;
        for (; t < other.size() && other[t].Id.Key == key; ++t)
            result.push_back({other[t].Id.Ack, false});

        // What this list changed since base: both sides are sorted by
        // acknowledgement, so a merge-like walk splits them.
        removedByMe.clear();
        addedByMe.clear();
        for (size_t i = 0, j = 0; i < baseAcks.size() || j < mineGroup.size();) {
            if (j == mineGroup.size() ||
                (i < baseAcks.size() && baseAcks[i] < mineGroup[j].Id.Ack)) {
                removedByMe.push_back(baseAcks[i++]);
            } else if (i == baseAcks.size() || mineGroup[j].Id.Ack < baseAcks[i]) {
                addedByMe.push_back(mineGroup[j++]);
            } else {
                ++i;
                ++j;
            }
        }
        // A removal paired with an addition is an acknowledgement changed.
        const size_t changes = std::min(removedByMe.size(), addedByMe.size());
        std::vector<bool> done(removedByMe.size(), false);
        auto claim = [&](std::uint64_t from, bool exact) -> TResult* {
            for (TResult& r : result)
                if (!r.Claimed && (!exact || r.Ack == from))
                    return &r;
            return nullptr;
        };
        // Exact matches first, so a change or removal takes the event it
        // was made to; then any event of the identity (the other program
        // changed its acknowledgement too: this list's change wins).
        for (bool exact : {true, false}) {
            for (size_t i = 0; i < removedByMe.size(); ++i) {
                if (done[i])
                    continue;
                TResult* r = claim(removedByMe[i], exact);
                if (!r) {
                    if (!exact)
                        done[i] = true; // gone from the file already
                    continue;
                }
                done[i] = true;
                if (i < changes) {
                    r->Ack = addedByMe[i].Id.Ack;
                    r->Claimed = true;
                } else {
                    *r = result.back();
                    result.pop_back();
                }
            }
        }
        for (size_t i = changes; i < addedByMe.size(); ++i)
            result.push_back({addedByMe[i].Id.Ack, true});

        // Now the list's own events of this identity are made to match the
        // result: same acknowledgement first, then any, then new events.
        std::vector<bool> kept(mineGroup.size(), false);
        std::vector<bool> placed(result.size(), false);
        for (size_t r = 0; r < result.size(); ++r)
            for (size_t i = 0; i < mineGroup.size(); ++i)
                if (!kept[i] && mineGroup[i].Id.Ack == result[r].Ack) {
                    kept[i] = placed[r] = true;
                    break;
                }
        size_t nextTheirs = theirFirst;
        for (size_t r = 0; r < result.size(); ++r) {
            if (placed[r])
                continue;
            const double ack = std::bit_cast<double>(result[r].Ack);
            auto free = std::find(kept.begin(), kept.end(), false);
            if (free != kept.end()) {
                *free = true;
                mineGroup[static_cast<size_t>(free - kept.begin())].Event->AckDate = ack;
                ++report.Changed;
            } else {
                TTickwellItem* e = nullptr;
                if (nextTheirs < t) {
                    e = other[nextTheirs++].Event;
                } else {
                    EventRecord rec;
                    mineGroup.front().Event->ToRecord(rec);
                    e = new TTickwellItem(rec);
                }
                e->AckDate = ack;
                added.push_back(e);
            }
        }
        // A snooze lives beside the record, outside the identity and the
        // acknowledgement: another program's later end comes in, unless
        // this list acknowledged the event since (which ends it).
        if (removedByMe.empty() && addedByMe.empty()) {
            TDateTime theirSnooze = 0;
            for (size_t i = theirFirst; i < t; ++i)
                theirSnooze = std::max(theirSnooze, other[i].Event->SnoozeEnd());
            for (size_t i = 0; i < mineGroup.size(); ++i)
                if (kept[i] && mineGroup[i].Event->SnoozeEnd() < theirSnooze) {
                    mineGroup[i].Event->SetSnooze(theirSnooze);
                    ++report.Changed;
                }
        }
        for (size_t i = theirFirst; i < t; ++i)
            if (i >= nextTheirs)
                unused.push_back(other[i].Event);
        for (size_t i = 0; i < mineGroup.size(); ++i)
            if (!kept[i])
                gone.push_back(mineGroup[i].Event);
    }
    theirs.clear();
    for (TTickwellItem* e : unused)
        delete e;
    if (!gone.empty())
        TakeOut(list, gone);
    report.Added = static_cast<int>(added.size());
    report.Removed = static_cast<int>(gone.size());
    list.AddSortedAll(added);
    return report;
}

TSyncReport MergeFile(TMyList& list, TFileSyncState& state, std::vector<TTickwellItem*>& theirs,
                      const TFileStamp& stamp, std::vector<TTickwellItem*>& gone) {
    std::vector<TKeyedAck> theirIds = Ids(Keyed(theirs));
    const TSyncReport report = MergeInto(list, state.Base, theirs, gone);
    // The list now holds the file as it is plus its own changes: the file
    // is its new base, whether or not the save that follows works.
    state.Base = std::move(theirIds);
    state.Stamp = stamp;
    state.UnreadableStamp = state.PartialStamp = {};
    return report;
}

// A file that ends part way through an event is being written in place or
// was cut short; the reader would take the whole events before the cut,
// and every event after it would look deleted by another program.
bool WholeEvents(const TFileStamp& stamp) {
    return stamp.Size % static_cast<std::int64_t>(kRecordSize) == 0;
}

} // namespace

TFileSyncState::~TFileSyncState() {
    FreeEvents(Retired);
}

std::string SaveErrorText(const std::string& reason, const std::string& path) {
    return "Error Saving Events List\n" + reason + ": " + path;
}

bool LoadSynced(TMyList& list) {
    const std::string& path = list.FileName;
    // Under the lock no writer is half way through; without it (a folder
    // that cannot be written) the file is read until it holds still.
    const TDataFileLock lock(path, 2000);
    bool ok = false;
    TFileStamp stamp;
    TLinkReport link;
    for (int attempt = 0; attempt < 5; ++attempt) {
        stamp = StampOf(path);
        ok = LoadEvents(list, path, false, &link);
        if (lock.Held() || StampOf(path) == stamp)
            break;
        list.FreeAll();
    }
    // Ids given at this reading last only once the companion holds them; a
    // damaged file is left for the user to decide on first.
    if (ok && lock.Held() && !link.InStep() && ReadOnlyCause() == TReadOnlyCause::None) {
        try {
            RemoveTemporaries(CompanionPath(path));
            WriteCompanion(list, path);
        } catch (const TTickwellError&) {
            // The next save tries again and says so if it fails.
        }
    }
    TFileSyncState& state = StateOf(list);
    state.Stamp = stamp;
    state.UnreadableStamp = {};
    RememberSynced(list);
    return ok;
}

void RememberSynced(TMyList& list) {
    StateOf(list).Base = Ids(Keyed(list.All()));
}

namespace {

TSaveFailureHook& FailureHook() {
    static TSaveFailureHook hook;
    return hook;
}

void SaveUnderLock(TMyList& list) {
    const std::string& path = list.FileName;
    const TDataFileLock lock(path);
    if (!lock.Held())
        throw TTickwellError(TW_TRANSLATE_NOOP("Messages", "Error Saving Events List") "\n" +
                             lock.Error());
    // Under the lock no other write is under way: what is left is a killed
    // writer's.
    RemoveTemporaries(path);
    RemoveTemporaries(CompanionPath(path));
    StopPoint(kStopDataLocked);
    const bool known = list.Synced != nullptr;
    TFileSyncState& state = StateOf(list);
    const TFileStamp now = StampOf(path);
    if (known && now.Exists && now != state.Stamp) {
        std::vector<TTickwellItem*> theirs;
        if (!WholeEvents(now) || !ReadEventsFile(path, theirs)) {
            // Told here; a look for outside changes need not tell it again.
            state.UnreadableStamp = now;
            throw TTickwellError(SaveErrorText(
                TW_TRANSLATE_NOOP("Messages",
                                  "The file was changed by another program and cannot be read"),
                path));
        }
        std::vector<TTickwellItem*> gone;
        const TSyncReport report = MergeFile(list, state, theirs, now, gone);
        state.Retired.insert(state.Retired.end(), gone.begin(), gone.end());
        if (report.Any())
            state.MergedOutside = true;
    }
    std::vector<std::uint64_t> keys;
    WriteEventsFile(list, path, &keys);
    state.Stamp = StampOf(path);
    state.Base.clear();
    state.Base.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        state.Base.push_back({keys[i], AckBits(list[static_cast<int>(i)]->AckDate)});
    std::sort(state.Base.begin(), state.Base.end());
}

} // namespace

namespace {

// The list's events and acknowledgements as one number, the same whatever
// their order.
std::uint64_t Fingerprint(const TMyList& list) {
    std::uint64_t print = static_cast<std::uint64_t>(list.Count());
    for (const TTickwellItem* e : list.All()) {
        std::uint64_t h = EventKey(*e) ^ (AckBits(e->AckDate) * 0x9e3779b97f4a7c15ULL);
        h ^= h >> 31;
        print += h * 0xbf58476d1ce4e5b9ULL;
    }
    return print;
}

} // namespace

void SaveSynced(TMyList& list) {
    try {
        SaveUnderLock(list);
        TFileSyncState& state = StateOf(list);
        state.Unsaved = false;
        state.UnsavedChanges = 0;
    } catch (const TTickwellError& e) {
        TFileSyncState& state = StateOf(list);
        const std::uint64_t print = Fingerprint(list);
        if (!state.Unsaved || print != state.UnsavedPrint)
            ++state.UnsavedChanges;
        state.UnsavedPrint = print;
        state.Unsaved = true;
        if (FailureHook())
            FailureHook()(e.what());
        throw;
    }
}

bool HasUnsavedChanges(const TMyList& list) {
    return list.Synced && list.Synced->Unsaved;
}

int UnsavedChangeCount(const TMyList& list) {
    return HasUnsavedChanges(list) ? list.Synced->UnsavedChanges : 0;
}

TSaveFailureHook SetSaveFailureHook(TSaveFailureHook hook) {
    return std::exchange(FailureHook(), std::move(hook));
}

TSyncReport SyncFromDisk(TMyList& list) {
    TSyncReport report;
    if (!list.Synced)
        return report;
    TFileSyncState& state = *list.Synced;
    const std::string& path = list.FileName;
    if (StampOf(path) == state.Stamp)
        return report;
    // Writers replace each file whole, so reading needs no lock; but a
    // writer that holds it is between the records and their companion, and
    // reading then would take the records' "?" for text the companion is
    // about to hold. The next look reads what it wrote.
    const TDataFileLock lock(path, 500);
    if (lock.Busy())
        return report;
    const TFileStamp now = StampOf(path);
    if (now == state.Stamp)
        return report;
    if (!now.Exists) {
        report.Result = TSyncResult::Missing;
        return report;
    }
    report.Result = TSyncResult::Unreadable;
    if (now == state.UnreadableStamp)
        return report;
    if (!WholeEvents(now) && now != state.PartialStamp) {
        // Unreadable only if it still stands so at the next look.
        state.PartialStamp = now;
        return report;
    }
    std::vector<TTickwellItem*> theirs;
    if (!WholeEvents(now) || !ReadEventsFile(path, theirs) ||
        (!lock.Held() && StampOf(path) != now)) {
        for (TTickwellItem* e : theirs)
            delete e;
        state.UnreadableStamp = now;
        report.NewlyUnreadable = true;
        return report;
    }
    std::vector<TTickwellItem*> gone;
    report = MergeFile(list, state, theirs, now, gone);
    FreeEvents(gone);
    return report;
}

bool DeletedElsewhere(const TMyList& list, std::uint64_t key) {
    if (!list.Synced)
        return false;
    const auto has = [key](const std::vector<TKeyedAck>& ids) {
        const auto at = std::lower_bound(ids.begin(), ids.end(), TKeyedAck{key, 0});
        return at != ids.end() && at->Key == key;
    };
    const std::string& path = list.FileName;
    const TFileStamp now = StampOf(path);
    if (!has(list.Synced->Base) || !now.Exists || now == list.Synced->Stamp)
        return false;
    std::vector<TTickwellItem*> theirs;
    const bool readable = WholeEvents(now) && ReadEventsFile(path, theirs);
    bool found = false;
    for (TTickwellItem* e : theirs) {
        found = found || EventKey(*e) == key;
        delete e;
    }
    return readable && !found;
}

void FreeRetired(TMyList& list) {
    if (list.Synced)
        FreeEvents(list.Synced->Retired);
}
