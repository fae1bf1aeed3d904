#include "store/DataFile.h"
#include "core/DateTime.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/TrNoop.h"
#include "store/AtomicFile.h"
#include "store/Companion.h"
#include "store/Csv.h"
#include "store/DataFileSync.h"
#include "store/EventFileReader.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include <algorithm>
#include <cctype>
#include <memory>

namespace {

bool HasCsvExtension(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext == ".CSV";
}

void FreeUnlisted(std::vector<TTickwellItem*>& items) {
    for (TTickwellItem* e : items)
        delete e;
    items.clear();
}

// The file's events with what its companion holds for them.
bool ReadLinked(const std::string& path, bool oldFormat, std::vector<TTickwellItem*>& items,
                TLinkReport* report) {
    std::vector<TRecordCheck> checks;
    const bool ok = ReadEventRecords(path, oldFormat, items, checks);
    try {
        const TLinkReport linked = LinkCompanion(path, items, checks);
        if (report)
            *report = linked;
    } catch (...) {
        FreeUnlisted(items);
        throw;
    }
    return ok;
}

} // namespace

bool ReadEventsFile(const std::string& path, std::vector<TTickwellItem*>& out, bool acceptCutEnd,
                    bool oldFormat) {
    std::vector<TTickwellItem*> items;
    const auto onlyCut = [&] {
        const TFileStamp stamp = StampOf(path);
        return stamp.Size % static_cast<std::int64_t>(kRecordSize) != 0 &&
               items.size() == static_cast<size_t>(stamp.Size) / kRecordSize;
    };
    if (!ReadLinked(path, oldFormat, items, nullptr) && !(acceptCutEnd && onlyCut())) {
        FreeUnlisted(items);
        return false;
    }
    out = std::move(items);
    return true;
}

bool LoadEvents(TListSorted& list, const std::string& path, bool oldFormat, TLinkReport* link) {
    // A damaged file keeps the events before the damage, so that start-up can
    // warn about it without the next save wiping out what was readable.
    std::vector<TTickwellItem*> items;
    const bool ok = ReadLinked(path, oldFormat, items, link);
    try {
        list.AddSortedAll(items);
    } catch (...) {
        FreeUnlisted(items);
        throw;
    }
    return ok;
}

void WriteEventsFile(const TListSorted& list, const std::string& path,
                     std::vector<std::uint64_t>* keys) {
    const std::vector<TTickwellItem*> order = list.InFileOrder();
    const size_t size = order.size() * kRecordSize;
    auto bytes = std::make_unique_for_overwrite<unsigned char[]>(size);
    unsigned char* out = bytes.get();
    if (keys)
        keys->resize(order.size());
    TCompanionWriter companion(order);
    EventRecord rec;
    for (size_t i = 0; i < order.size(); ++i, out += kRecordSize) {
        order[i]->ToRecord(rec);
        PackRecord(rec, out);
        companion.Add(*order[i], rec, out);
        if (keys)
            (*keys)[i] = EventKey(order[i]->Id, rec, out);
    }
    // The records first: a kill before the companion follows leaves records
    // it does not describe, which loading links by their digests.
    std::string error;
    if (!WriteFileAtomic(path, {reinterpret_cast<const char*>(bytes.get()), size}, error))
        throw TTickwellError(SaveErrorText(error, path));
    const std::string companionPath = CompanionPath(path);
    if (!WriteFileAtomic(companionPath, companion.Text(), error))
        throw TTickwellError(SaveErrorText(error, companionPath));
}

void WriteCompanion(const TListSorted& list, const std::string& path) {
    const std::vector<TTickwellItem*> order = list.InFileOrder();
    TCompanionWriter companion(order);
    EventRecord rec;
    unsigned char packed[kRecordSize];
    for (const TTickwellItem* e : order) {
        e->ToRecord(rec);
        PackRecord(rec, packed);
        companion.Add(*e, rec, packed);
    }
    const std::string companionPath = CompanionPath(path);
    std::string error;
    if (!WriteFileAtomic(companionPath, companion.Text(), error))
        throw TTickwellError(SaveErrorText(error, companionPath));
}

bool SaveEvents(const TListSorted& list, const std::string& path) {
    return WriteEventsCopy(list, path);
}

bool WriteEventsCopy(const TListSorted& list, const std::string& path) {
    if (HasCsvExtension(path)) {
        std::vector<std::string> lines;
        lines.reserve(static_cast<size_t>(list.Count()));
        for (const TTickwellItem* e : list.All())
            lines.push_back(e->ToCsvLine());
        std::string error;
        if (!WriteCsvFile(path, lines, true, error))
            throw TTickwellError(error + ": " + path);
        return true;
    }
    WriteEventsFile(list, path, nullptr);
    return true;
}

bool SaveEvents(TMyList& list, const std::string& path) {
    if (path != list.FileName || HasCsvExtension(path))
        return SaveEvents(static_cast<const TListSorted&>(list), path);
    SaveSynced(list);
    return true;
}

bool ConfirmDelete(const TMyList& list, TTickwellItem* event, bool warnRepeating,
                   const std::string& name) {
    if (RefuseChange())
        return false;
    std::string question =
        warnRepeating && event && !event->Simple
            ? TW_TRANSLATE_NOOP("Messages",
                                "This is a repeating event. Do you wish to Delete this Event?")
            : TW_TRANSLATE_NOOP("Messages", "Delete this Event?");
    if (!name.empty())
        question += " " + name;
    const int index = event ? list.IndexOf(event) : -1;
    if (index < 0) {
        ShowMsg(TW_TRANSLATE_NOOP("Messages", "Nothing to Delete"), mkWarning);
        return false;
    }
    return !TSettings().Get(kEventDeleteConfirm) || AskOkCancel(question) == anOk;
}
