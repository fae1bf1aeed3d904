#include "store/DataFile.h"
#include "core/DateTime.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "store/AtomicFile.h"
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

} // namespace

bool ReadEventsFile(const std::string& path, std::vector<TTickwellItem*>& out, bool acceptCutEnd,
                    bool oldFormat) {
    std::vector<TTickwellItem*> items;
    const auto onlyCut = [&] {
        const TFileStamp stamp = StampOf(path);
        return stamp.Size % static_cast<std::int64_t>(kRecordSize) != 0 &&
               items.size() == static_cast<size_t>(stamp.Size) / kRecordSize;
    };
    if (!ReadEventRecords(path, oldFormat, items) && !(acceptCutEnd && onlyCut())) {
        FreeUnlisted(items);
        return false;
    }
    out = std::move(items);
    return true;
}

bool LoadEvents(TListSorted& list, const std::string& path, bool oldFormat) {
    // A damaged file keeps the events before the damage, so that start-up can
    // warn about it without the next save wiping out what was readable.
    std::vector<TTickwellItem*> items;
    const bool ok = ReadEventRecords(path, oldFormat, items);
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
    const size_t size = static_cast<size_t>(list.Count()) * kRecordSize;
    auto bytes = std::make_unique_for_overwrite<unsigned char[]>(size);
    unsigned char* out = bytes.get();
    if (keys)
        keys->resize(static_cast<size_t>(list.Count()));
    EventRecord rec;
    for (const TTickwellItem* e : list.InFileOrder()) {
        e->ToRecord(rec);
        PackRecord(rec, out);
        if (keys)
            (*keys)[static_cast<size_t>(out - bytes.get()) / kRecordSize] = EventKey(out);
        out += kRecordSize;
    }
    std::string error;
    if (!WriteFileAtomic(path, {reinterpret_cast<const char*>(bytes.get()), size}, error))
        throw TTickwellError(SaveErrorText(error, path));
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
    std::string question = warnRepeating && event && !event->Simple
                               ? "This is a repeating event. Do you wish to Delete this Event?"
                               : "Delete this Event?";
    if (!name.empty())
        question += " " + name;
    const int index = event ? list.IndexOf(event) : -1;
    if (index < 0) {
        ShowMsg("Nothing to Delete", mkWarning);
        return false;
    }
    return !TSettings().Get(kEventDeleteConfirm) || AskOkCancel(question) == anOk;
}
