#include "ical/VdirSync.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/Snooze.h"
#include "core/TickwellItem.h"
#include "ical/ICalComponent.h"
#include "ical/ICalExport.h"
#include "ical/ICalFields.h"
#include "ical/ICalImport.h"
#include "ical/VdirConflict.h"
#include "store/AtomicFile.h"
#include "store/DataFileLock.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "store/StableDigest.h"
#include "store/VdirState.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Items a file-sync tool left beside the one it could not merge.
bool IsSyncConflictCopy(const std::string& name) {
    return name.find(".sync-conflict-") != std::string::npos;
}

struct TListing {
    std::map<std::string, TItemTag> Items;
    std::map<std::string, TItemTag> Copies;
    std::string Fault; // the folder cannot be read
};

// The folder's items: names ending in .ics, not hidden (vdir writers'
// temporaries never end so).
TListing ListFolder(const std::string& folder) {
    TListing out;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        out.Fault = "The sync folder " + folder + " cannot be read: " + std::strerror(errno);
        return out;
    }
    while (const dirent* d = ::readdir(dir)) {
        const std::string name = d->d_name;
        if (name.size() < 5 || name[0] == '.' || name.compare(name.size() - 4, 4, ".ics") != 0)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), d->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        (IsSyncConflictCopy(name) ? out.Copies : out.Items)[name] = {
            static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }
    ::closedir(dir);
    return out;
}

// The print of the folder's items as ListFolder would find them, without
// keeping them: what a step in with nothing changed costs.
std::uint64_t FolderPrint(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    std::uint64_t sum = 0;
    while (const dirent* d = ::readdir(dir)) {
        const size_t length = std::strlen(d->d_name);
        struct stat st {};
        if (length < 5 || d->d_name[0] == '.' || std::strcmp(d->d_name + length - 4, ".ics") != 0 ||
            ::fstatat(::dirfd(dir), d->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        sum += ItemPrint(d->d_name, {static_cast<std::uint64_t>(st.st_ino),
                                     static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 +
                                         st.st_mtim.tv_nsec});
    }
    ::closedir(dir);
    return sum;
}

std::optional<TItemTag> TagOf(const std::string& path) {
    const TFileStamp stamp = StampOf(path);
    if (!stamp.Exists)
        return std::nullopt;
    return TItemTag{stamp.Inode, stamp.ModifiedNs};
}

// An item is written under a hidden name beside it (which vdir readers pass
// over), then renamed over the old one, or to a new name with a rename that
// fails when another program took the name meanwhile: no file the program did not
// write is replaced. Not flushed one by one: a step writes thousands, and
// one flush of the folder's file system at its end (FlushFolder) costs what
// one of those would.
bool WriteItem(const std::string& folder, const std::string& name, const std::string& text,
               bool replace, std::string& error) {
    const std::string temp = folder + "/." + name + "." + std::to_string(::getpid()) + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = true;
    for (size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += ok ? static_cast<size_t>(n) : 0;
    }
    if (!ok)
        error = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    const std::string path = folder + "/" + name;
    if (ok) {
        int done =
            replace ? ::rename(temp.c_str(), path.c_str())
                    : ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
        // A file system without the no-replace rename: a link fails as well
        // when the name is taken.
        if (!replace && done != 0 && errno == EINVAL &&
            (done = ::link(temp.c_str(), path.c_str())) == 0)
            ::unlink(temp.c_str());
        if (done != 0) {
            ok = false;
            error = errno == EEXIST ? "another program wrote a file of that name"
                                    : std::strerror(errno);
        }
    }
    if (!ok) {
        const int failure = errno;
        ::unlink(temp.c_str());
        errno = failure; // for the caller to tell the folder's faults
    }
    return ok;
}

void FlushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

// The name vdirsyncer would give: the UID where it holds only the
// characters every file system and server takes, else a digest of it.
std::string NameFor(const std::string& uid) {
    for (char c : uid)
        if (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr("_.-+@", c))
            return FormatEventId(StableDigest(uid)) + ".ics";
    return uid + ".ics";
}

// What the folder must be told again when it changes: the stored fields,
// the text, the acknowledgement, the snooze and the UID.
std::uint64_t PrintOf(const TTickwellItem& e) {
    EventRecord rec;
    e.ToRecord(rec);
    std::string snooze;
    if (e.SnoozeEnd() != 0)
        snooze = '\n' + BasicDateTime(e.SnoozeEnd());
    return StableDigest(PackedRecord(rec) + e.Description + '\n' + VdirUid(e) + snooze);
}

std::string Quoted(const std::string& text) {
    return "\"" + FirstLine(text) + "\"";
}

// The UID an item holds and, for a part, the UID of its event.
struct TItemHead {
    std::string Uid;
    std::string PartOf;
};

TItemHead HeadOf(const std::string& text) {
    TItemHead head;
    TComponent root(icalparser_parse_string(text.c_str()));
    icalcomponent* ev = FirstEvent(root.get());
    if (!ev)
        return head;
    if (const char* uid = icalcomponent_get_uid(ev))
        head.Uid = uid;
    head.PartOf = XValue(ev, kXPartOf).value_or("");
    return head;
}

// An event's item with the VEVENTs of its parts' items, as one calendar,
// so that the import reads them as the one event they are. Parts are known
// by what they say they are part of: vdirsyncer gives items names of its
// own on the other machines.
std::string WithParts(const std::string& text, const std::vector<std::string>& parts) {
    if (parts.empty())
        return text;
    TComponent cal(icalparser_parse_string(text.c_str()));
    if (!cal || icalcomponent_isa(cal.get()) != ICAL_VCALENDAR_COMPONENT)
        return text;
    for (const std::string& partText : parts) {
        TComponent part(icalparser_parse_string(partText.c_str()));
        icalcomponent* ev = FirstEvent(part.get());
        if (!ev || ev == part.get())
            continue;
        icalcomponent_remove_component(part.get(), ev);
        icalcomponent_add_component(cal.get(), ev);
    }
    return ComponentText(cal.get());
}

// Another calendar's UID as an event id: 48 bits of a digest of it.
std::uint64_t IdOfForeignUid(const std::string& uid) {
    const std::uint64_t h = StableDigest(uid) >> 16;
    return h == 0 ? 1 : h;
}

// A version of an event that another machine changed at the same time,
// carried by the event's item.
struct TOtherVersion {
    std::string Uid;
    EventRecord Main; // the item's own version
    std::string Text;
};

// Each kept as a copy of its event, under an id every machine that takes
// the item in gives it, so that the copies' items meet as one.
void KeepOtherVersions(const std::vector<TOtherVersion>& others, const TICalDefaults& defaults,
                       std::map<std::string, TTickwellItem*>& byUid,
                       std::vector<TTickwellItem*>& added, TVdirStep& step) {
    TICalDefaults asWritten = defaults;
    asWritten.WithoutParts = true;
    for (const TOtherVersion& o : others) {
        TICalContents c;
        try {
            c = ReadICalendar(o.Text, asWritten);
        } catch (const TTickwellError&) {
        }
        if (c.Events.size() != 1 || !c.Events.front().Exact) {
            step.Notes.push_back(Quoted(o.Main.Description()) +
                                 " was changed on two machines, and the other version cannot "
                                 "be shown; it stays in the item");
            continue;
        }
        const TICalEvent& v = c.Events.front();
        const std::string fields = VersionFields(v.Record);
        const std::uint64_t id = IdOfForeignUid(o.Uid + '\n' + fields);
        const std::string uid = EventUid(FormatEventId(id), 1);
        if (fields == VersionFields(o.Main) || byUid.contains(uid))
            continue;
        // The copy's own item, written by a machine that took this one in
        // before, may have come in with it: told all the same.
        if (std::none_of(added.begin(), added.end(),
                         [id](const TTickwellItem* e) { return e->Id == id; })) {
            auto copy = std::make_unique<TTickwellItem>(v.Record);
            if (!v.HasAck)
                AckPastOnCreate(*copy);
            copy->Id = id;
            byUid.emplace(uid, copy.get());
            added.push_back(copy.release());
            ++step.Added;
        }
        step.Notes.push_back(Quoted(o.Main.Description()) +
                             " was changed on two machines: both versions are kept, the other "
                             "as a copy");
    }
}

// The event has the item's stored fields, text and snooze (but for the
// notice and keep flag, which another calendar's item does not carry).
bool Holds(const TTickwellItem& e, const TICalEvent& read, bool foreign) {
    EventRecord mine;
    e.ToRecord(mine);
    EventRecord rec = read.Record;
    if (foreign) {
        rec.NoticePeriod = mine.NoticePeriod;
        rec.KeepFlag = mine.KeepFlag;
    }
    return SameStoredFields(mine, rec) &&
           BasicDateTime(e.SnoozeEnd()) == BasicDateTime(read.SnoozeUntil);
}

// Why an item cannot be one event here; empty when it can.
std::string WhyNotShown(const TICalContents& c) {
    if (!c.LeftOut.empty())
        return c.LeftOut.front().Why;
    if (c.Events.empty())
        return "it holds no event";
    if (c.Events.size() > 1)
        return "Tickwell would hold it as " + std::to_string(c.Events.size()) + " events";
    if (!c.Events.front().Exact)
        return "Tickwell cannot repeat it on exactly its days (" + c.Events.front().Rule + ")";
    return {};
}

void Remember(TVdirState& state, std::vector<std::string>& notes, const std::string& path) {
    std::string error;
    if (!WriteVdirState(path, state, error))
        notes.push_back("What the sync folder holds could not be noted: " + error);
}

std::string BusyFault(const std::string& folder, const TDataFileLock& lock) {
    return "The sync folder " + folder + " is not in step now: " + lock.Error();
}

} // namespace

std::string VdirUid(const TTickwellItem& e) {
    if (e.Extras && !e.Extras->ICalUid.empty())
        return e.Extras->ICalUid;
    return EventUid(EventId(e), 1);
}

std::string StepText(const TVdirStep& s, bool in) {
    std::string text =
        in ? std::to_string(s.Added) + " added, " + std::to_string(s.Updated) + " updated, " +
                 std::to_string(s.Deleted) + " deleted"
           : std::to_string(s.Written) + " written, " + std::to_string(s.Removed) + " removed";
    for (const std::string& note : s.Notes)
        text += "; " + note;
    return text;
}

TVdirStep VdirOut(const TMyList& list, const std::string& folder, const std::string& statePath) {
    TVdirStep step;
    const TDataFileLock lock(statePath);
    if (!lock.Held()) {
        step.Fault = BusyFault(folder, lock);
        return step;
    }
    TVdirState state = ReadVdirState(statePath, folder);
    state.FolderTag = TagOf(folder).value_or(TItemTag{});
    const TListing listing = ListFolder(folder);
    if (!listing.Fault.empty()) {
        step.Fault = listing.Fault;
        return step;
    }
    std::map<std::string, std::string> nameOfUid;
    std::multimap<std::string, std::string> partsOf; // event UID -> part names
    for (const auto& [name, item] : state.Items) {
        if (item.Kind == TItemKind::Part)
            partsOf.emplace(item.Note, name);
        if (item.Kind != TItemKind::NotShown)
            nameOfUid.emplace(item.Uid, name);
    }
    const auto tagIn = [&](const std::string& name) -> std::optional<TItemTag> {
        const auto it = listing.Items.find(name);
        return it == listing.Items.end() ? std::nullopt : std::optional(it->second);
    };
    std::set<std::string> kept;
    for (const TTickwellItem* e : list.All()) {
        const std::string uid = VdirUid(*e);
        const std::uint64_t print = PrintOf(*e);
        const auto named = nameOfUid.find(uid);
        const std::string name = named == nameOfUid.end() ? NameFor(uid) : named->second;
        const auto known = state.Items.find(name);
        const auto [first, last] = partsOf.equal_range(uid);
        const bool unchanged = known != state.Items.end() && known->second.Print == print &&
                               tagIn(name) == known->second.Tag;
        if (unchanged ||
            (known != state.Items.end() && tagIn(name) && tagIn(name) != known->second.Tag)) {
            // Unchanged, or changed in the folder: the step in takes it.
            kept.insert(name);
            for (auto p = first; p != last; ++p)
                kept.insert(p->second);
            continue;
        }
        std::vector<TICalItem> items;
        try {
            items = ICalItems(*e, uid);
        } catch (const TTickwellError&) {
            continue; // days no file can hold: the export says so
        }
        for (const TICalItem& item : items) {
            const bool part = item.Uid != uid;
            const auto n = nameOfUid.find(item.Uid);
            const std::string itemName = n == nameOfUid.end() ? NameFor(item.Uid) : n->second;
            const std::string path = folder + "/" + itemName;
            const auto was = state.Items.find(itemName);
            std::string error;
            bool written = false;
            if (was != state.Items.end() && tagIn(itemName) == was->second.Tag)
                written = WriteItem(folder, itemName, item.Text, true, error);
            else if (!tagIn(itemName))
                written = WriteItem(folder, itemName, item.Text, false, error);
            kept.insert(itemName);
            // A file of that name the last step did not note (one written
            // just before a kill, or another's): the step in meets it.
            if (!written && error.empty())
                continue;
            if (!written &&
                (errno == EACCES || errno == EROFS || errno == ENOSPC || errno == EDQUOT)) {
                // The folder's fault, not the event's: said once, the rest
                // written at a later step.
                step.Fault = "The sync folder " + folder + " cannot be written to (" + error + ")";
                break;
            }
            if (!written) {
                step.Notes.push_back(Quoted(e->Description) +
                                     " could not be written to the sync folder (" + error + ")");
                continue;
            }
            ++step.Written;
            state.Items[itemName] = {TagOf(path).value_or(TItemTag{}),
                                     part ? TItemKind::Part : TItemKind::Event, item.Uid, print,
                                     part ? uid : ""};
        }
        if (!step.Fault.empty()) {
            // Nothing removed while not every event was looked at.
            Remember(state, step.Notes, statePath);
            return step;
        }
    }

    // The items of events that are gone, unless changed in the folder since:
    // only those of events this list held, and their parts; an item never
    // shown here, or part of one, is another's to remove.
    std::set<std::string> ours;
    for (const auto& [name, item] : state.Items)
        if (item.Kind == TItemKind::Event && item.Print != 0)
            ours.insert(item.Uid);
    for (auto it = state.Items.begin(); it != state.Items.end();) {
        const std::optional<TItemTag> tag = tagIn(it->first);
        const TItemState& item = it->second;
        const bool owned = item.Kind == TItemKind::Event  ? item.Print != 0
                           : item.Kind == TItemKind::Part ? ours.contains(item.Note)
                                                          : false;
        if (!owned || kept.contains(it->first) || (tag && tag != item.Tag)) {
            ++it;
            continue;
        }
        if (tag && ::unlink((folder + "/" + it->first).c_str()) == 0)
            ++step.Removed;
        it = state.Items.erase(it);
    }
    if (step.Any() || !step.Notes.empty()) {
        FlushFolder(folder);
        state.LastOut = StepText(step, false);
        Remember(state, step.Notes, statePath);
    }
    return step;
}

TVdirStep VdirIn(TEventBook& book, const std::string& folder, const std::string& statePath) {
    TVdirStep step;
    // Unchanged since the last step: nothing to read. Changed, but by the
    // last step's own writes: noted, so that the next step is as quick.
    const TItemTag folderTag = TagOf(folder).value_or(TItemTag{});
    std::optional<TFolderNote> note = ReadFolderNote(statePath, folder);
    if (note && note->Tag == folderTag)
        return step;
    // One step in at a time, on the events as the last one saved them:
    // two programs taking in the same new items would each add them.
    std::optional<TDataFileLock> lock(std::in_place, statePath);
    if (!lock->Held()) {
        step.Fault = BusyFault(folder, *lock);
        return step;
    }
    book.Sync();
    note = ReadFolderNote(statePath, folder);
    if (note && note->Tag == folderTag)
        return step;
    TVdirState state = ReadVdirState(statePath, folder);
    state.FolderTag = folderTag;
    if (note && note->Listing == FolderPrint(folder)) {
        Remember(state, step.Notes, statePath);
        return step;
    }
    const TVdirState before = state;
    const TListing listing = ListFolder(folder);
    if (!listing.Fault.empty()) {
        step.Fault = listing.Fault;
        return step;
    }
    // Told once, and listed as not shown until it is gone.
    for (const auto& [copy, tag] : listing.Copies) {
        const auto known = state.Items.find(copy);
        if (known != state.Items.end() && known->second.Tag == tag)
            continue;
        const std::string why = "a copy a file sync tool left; merge it by hand";
        step.Notes.push_back("the item " + copy + " is not shown: " + why);
        state.Items[copy] = {tag, TItemKind::NotShown, "", 0, why};
    }
    TMyList& list = book.MasterList;
    std::map<std::string, TTickwellItem*> byUid;
    for (TTickwellItem* e : list.All())
        byUid.emplace(VdirUid(*e), e);
    const TICalDefaults defaults{ReadSetting(kDfltNotice), ReadSetting(kDfltKeepFlag)};

    std::vector<TEventUpdate> updates;
    std::vector<std::pair<TTickwellItem*, TDateTime>> snoozes;
    std::vector<TTickwellItem*> added, deleted;
    std::vector<std::pair<std::string, TTickwellItem*>> taken; // item name -> its event
    std::set<std::string> uidsTaken;
    std::vector<TOtherVersion> others;
    // First every new or changed item read, so that each event finds its
    // parts; a part unchanged since is read again when its event changed.
    struct TChanged {
        std::string Name;
        TItemTag Tag;
        std::string Text;
        TItemHead Head;
    };
    std::vector<TChanged> changed;
    std::map<std::string, std::vector<std::string>> partsOf; // event UID -> part texts
    std::multimap<std::string, std::string> knownParts;      // event UID -> part names
    for (const auto& [name, tag] : listing.Items) {
        const auto known = state.Items.find(name);
        if (known != state.Items.end() && known->second.Tag == tag) {
            if (known->second.Kind == TItemKind::Part)
                knownParts.emplace(known->second.Note, name);
            continue;
        }
        TFileBytes bytes;
        std::string error;
        if (!ReadWholeFile(folder + "/" + name, bytes, error)) {
            step.Notes.push_back("the item " + name + " cannot be read (" + error + ")");
            continue;
        }
        std::string text(bytes.View());
        TItemHead head = HeadOf(text);
        if (!head.PartOf.empty()) {
            state.Items[name] = {tag, TItemKind::Part, head.Uid, 0, head.PartOf};
            partsOf[head.PartOf].push_back(text);
            continue;
        }
        changed.push_back({name, tag, std::move(text), std::move(head)});
    }
    for (const TChanged& item : changed) {
        const std::string& name = item.Name;
        const TItemTag& tag = item.Tag;
        const auto known = state.Items.find(name);
        std::vector<std::string>& parts = partsOf[item.Head.Uid];
        for (auto [p, end] = knownParts.equal_range(item.Head.Uid); p != end; ++p) {
            TFileBytes bytes;
            std::string error;
            if (ReadWholeFile(folder + "/" + p->second, bytes, error))
                parts.emplace_back(bytes.View());
        }
        const TItemHead& head = item.Head;
        TICalContents contents;
        try {
            contents = ReadICalendar(WithParts(item.Text, parts), defaults);
        } catch (const TTickwellError&) {
            contents = {};
        }
        std::string why = WhyNotShown(contents);
        if (why.empty() && !uidsTaken.insert(contents.Events.front().Uid).second)
            why = "another item holds the same UID";
        if (!why.empty()) {
            if (known == state.Items.end() || known->second.Note != why)
                step.Notes.push_back("the item " + name + " is not shown: " + why);
            state.Items[name] = {tag, TItemKind::NotShown, head.Uid, 0, why};
            continue;
        }
        const TICalEvent& read = contents.Events.front();
        for (std::string& text : OtherVersions(item.Text))
            others.push_back({read.Uid, read.Record, std::move(text)});
        const auto found = byUid.find(read.Uid);
        TTickwellItem* target = found == byUid.end() ? nullptr : found->second;
        if (target && Holds(*target, read, !IdOfUid(read.Uid))) {
            // Met anew (the state was lost, or the folder is new here):
            // nothing to change.
            taken.emplace_back(name, target);
            state.Items[name] = {tag, TItemKind::Event, read.Uid, PrintOf(*target), ""};
            continue;
        }
        if (target) {
            // Changed on both sides, or an item the last step did not note
            // that differs from its event (who changed it last is not
            // known): nothing is lost.
            if (known == state.Items.end() || known->second.Kind != TItemKind::Event ||
                PrintOf(*target) != known->second.Print) {
                EventRecord mine;
                target->ToRecord(mine);
                auto copy = std::make_unique<TTickwellItem>(mine);
                copy->Id = NewEventId();
                added.push_back(copy.release());
                step.Notes.push_back(Quoted(target->Description) +
                                     " was changed here and in the sync folder: the folder's "
                                     "version is kept, and this one as a copy");
            }
            EventRecord rec = read.Record;
            // Another calendar's item says nothing of them: the user's own.
            if (!IdOfUid(read.Uid)) {
                rec.NoticePeriod = static_cast<int16_t>(target->NoticePeriod);
                rec.KeepFlag = target->KeepFlag;
            }
            updates.push_back({target, rec});
            snoozes.emplace_back(target, read.SnoozeUntil);
            ++step.Updated;
        } else {
            auto item = std::make_unique<TTickwellItem>(read.Record);
            if (!read.HasAck)
                AckPastOnCreate(*item);
            if (const std::optional<std::string> id = IdOfUid(read.Uid)) {
                item->Id = ParseEventId(*id);
            } else {
                // The same id on every machine that takes the item in.
                item->Id = IdOfForeignUid(read.Uid);
                item->Extras = std::make_unique<TEventExtras>();
                item->Extras->ICalUid = read.Uid;
                item->Extras->ICalSequence = read.Sequence;
            }
            item->SetSnooze(read.SnoozeUntil);
            target = item.get();
            added.push_back(item.release());
            ++step.Added;
        }
        taken.emplace_back(name, target);
        state.Items[name] = {tag, TItemKind::Event, read.Uid, 0, ""};
    }
    KeepOtherVersions(others, defaults, byUid, added, step);
    // Items that are gone: their events go too, unless changed here since.
    for (auto it = state.Items.begin(); it != state.Items.end();) {
        if (listing.Items.contains(it->first) || listing.Copies.contains(it->first)) {
            ++it;
            continue;
        }
        if (it->second.Kind == TItemKind::Event) {
            const auto found = byUid.find(it->second.Uid);
            if (found != byUid.end() && PrintOf(*found->second) == it->second.Print) {
                deleted.push_back(found->second);
                ++step.Deleted;
            } else if (found != byUid.end()) {
                step.Notes.push_back(Quoted(found->second->Description) +
                                     " was deleted in the sync folder but changed here: it is "
                                     "kept");
            }
        }
        it = state.Items.erase(it);
    }
    if (!step.Any()) {
        if (!step.Notes.empty() || state.Items != before.Items) {
            state.LastIn = StepText(step, true);
            Remember(state, step.Notes, statePath);
        }
        return step;
    }

    std::vector<TTickwellItem*> updated;
    for (const TEventUpdate& u : updates)
        updated.push_back(u.Event);
    TakeOut(list, updated);
    TakeOut(list, deleted);
    for (const TEventUpdate& u : updates)
        u.Event->AssignRecord(u.Record);
    for (const auto& [event, until] : snoozes)
        event->SetSnooze(until);
    list.AddSortedAll(updated);
    list.AddSortedAll(added);
    FreeEvents(deleted, &book.DueList);
    for (const auto& [name, event] : taken)
        state.Items[name].Print = PrintOf(*event);
    // The data file first, without the step out: a kill before the note
    // below leaves items that the next step meets again and finds matching
    // their events (no change lost, none twice). Then the note, on what
    // another program may have noted meanwhile, then the step out for what
    // the save took in from other programs and the copies made.
    const std::function<void()> out = book.AfterSaveStep();
    book.SetAfterSave({});
    try {
        book.SaveChanges();
    } catch (const TTickwellError&) {
        book.SetAfterSave(out);
        book.AnnounceReset();
        throw;
    }
    book.SetAfterSave(out);
    TVdirState now = ReadVdirState(statePath, folder);
    for (const auto& [name, item] : before.Items)
        if (!state.Items.contains(name))
            now.Items.erase(name);
    for (const auto& [name, item] : state.Items)
        if (const auto was = before.Items.find(name);
            was == before.Items.end() || was->second != item)
            now.Items[name] = item;
    now.FolderTag = state.FolderTag;
    now.LastIn = StepText(step, true);
    Remember(now, step.Notes, statePath);
    lock.reset(); // the step out takes it
    if (out)
        out();
    book.AnnounceReset();
    return step;
}

TVdirLink::TVdirLink(TEventBook& book, std::string folder,
                     std::function<void(const std::string&)> tell)
    : Book(book), Path(std::move(folder)), Teller(std::move(tell)) {
    Book.SetAfterSave(
        [this] { Tell(VdirOut(Book.MasterList, Path, VdirStatePath(Book.FileName()))); });
}

TVdirLink::~TVdirLink() {
    Book.SetAfterSave({});
}

bool TVdirLink::StepIn() {
    try {
        Tell(VdirIn(Book, Path, VdirStatePath(Book.FileName())));
        return true;
    } catch (const TTickwellError& e) {
        ShowMsg(e.what(), mkError);
        return false;
    }
}

TVdirStep TVdirLink::Fill() {
    if (!StepIn())
        return {};
    const TVdirStep out = VdirOut(Book.MasterList, Path, VdirStatePath(Book.FileName()));
    Tell(out);
    return out;
}

void TVdirLink::Tell(const TVdirStep& step) {
    std::vector<std::string> notes = step.Notes;
    if (step.Fault != LastFault && !step.Fault.empty())
        notes.insert(notes.begin(), step.Fault);
    LastFault = step.Fault;
    if (notes.empty())
        return;
    std::string text = "Sync folder";
    for (const std::string& note : notes)
        text += "\n" + note;
    if (Teller)
        Teller(text);
    else
        ShowMsg(text, mkWarning);
}
