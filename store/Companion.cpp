#include "store/Companion.h"
#include "core/Cp1252.h"
#include "core/EventId.h"
#include "core/ParallelChunks.h"
#include "store/AtomicFile.h"
#include "store/StableDigest.h"
#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::string_view kHeader = "tickwell-companion 1";
constexpr std::string_view kIdSumKey = "\tids=";
// Where the acknowledgement date starts: the companion does not follow it,
// so an acknowledgement another program wrote keeps the event known.
constexpr size_t kAckOffset = 284;
constexpr size_t kRuleOffset = 256;

void AppendHex(std::string& out, std::uint64_t v, int digits) {
    static const char kHex[] = "0123456789abcdef";
    for (int i = digits - 1; i >= 0; --i)
        out += kHex[(v >> (4 * i)) & 0xF];
}

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
}

std::string Unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

// Hex digits of a fixed width, through a table: the companion is read at
// every load.
bool ParseHex(std::string_view text, std::uint64_t& v) {
    static const auto kDigit = [] {
        std::array<std::int8_t, 256> t;
        t.fill(-1);
        for (int c = 0; c < 10; ++c)
            t['0' + c] = static_cast<std::int8_t>(c);
        for (int c = 0; c < 6; ++c)
            t['a' + c] = t['A' + c] = static_cast<std::int8_t>(10 + c);
        return t;
    }();
    v = 0;
    int bad = 0;
    for (char c : text) {
        const int d = kDigit[static_cast<unsigned char>(c)];
        bad |= d;
        v = v << 4 | static_cast<unsigned>(d & 0xF);
    }
    return bad >= 0 && !text.empty();
}

// One line of the companion, its text fields still as written.
struct TEntry {
    std::uint64_t Id = 0;
    TRecordCheck Check;
    std::string_view Text;
    std::string_view Attributes;
    bool Used = false;
};

// The fields' places: the id and three digests are of fixed width.
constexpr size_t kWholeAt = kEventIdLength + 1;
constexpr size_t kRuleAt = kWholeAt + 17;
constexpr size_t kTextDigestAt = kRuleAt + 17;
constexpr size_t kTextAt = kTextDigestAt + 17;

// With `whole` only the id and the whole record's digest are read: enough
// to know a record as it is, and all that most lines need.
bool ParseEntry(std::string_view line, TEntry& e, bool whole = false) {
    if (line.size() < kTextAt || line[kWholeAt - 1] != '\t' || line[kRuleAt - 1] != '\t' ||
        line[kTextDigestAt - 1] != '\t' || line[kTextAt - 1] != '\t')
        return false;
    if (!ParseHex(line.substr(0, kEventIdLength), e.Id) || e.Id == 0 ||
        !ParseHex(line.substr(kWholeAt, 16), e.Check.Whole) ||
        (!whole && (!ParseHex(line.substr(kRuleAt, 16), e.Check.Rule) ||
                    !ParseHex(line.substr(kTextDigestAt, 16), e.Check.Text))))
        return false;
    line.remove_prefix(kTextAt);
    const size_t tab = line.find('\t');
    e.Text = line.substr(0, tab);
    e.Attributes = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    return true;
}

std::unique_ptr<TEventExtras> ParseAttributes(std::string_view rest) {
    if (rest.empty())
        return nullptr;
    auto extras = std::make_unique<TEventExtras>();
    while (!rest.empty()) {
        const size_t tab = rest.find('\t');
        const std::string_view field = rest.substr(0, tab);
        rest = tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
        const size_t eq = field.find('=');
        const std::string_view key = field.substr(0, eq);
        const std::string value =
            eq == std::string_view::npos ? std::string() : Unescaped(field.substr(eq + 1));
        if (key == "snooze")
            extras->SnoozeUntil = std::strtod(value.c_str(), nullptr);
        else if (key == "uid")
            extras->ICalUid = value;
        else if (key == "sequence")
            extras->ICalSequence = std::atoi(value.c_str());
        else if (key == "modified")
            extras->Modified = std::strtoll(value.c_str(), nullptr, 10);
        else if (!field.empty()) {
            if (!extras->Unknown.empty())
                extras->Unknown += '\t';
            extras->Unknown += field;
        }
    }
    return extras->Empty() ? nullptr : std::move(extras);
}

void AppendAttributes(std::string& out, const TEventExtras& x) {
    char number[32];
    if (x.SnoozeUntil != 0) {
        std::snprintf(number, sizeof number, "%.17g", x.SnoozeUntil);
        out += "\tsnooze=";
        out += number;
    }
    if (!x.ICalUid.empty()) {
        out += "\tuid=";
        AppendEscaped(out, x.ICalUid);
    }
    if (x.ICalSequence != 0)
        out += "\tsequence=" + std::to_string(x.ICalSequence);
    if (x.Modified != 0)
        out += "\tmodified=" + std::to_string(x.Modified);
    if (!x.Unknown.empty()) {
        out += '\t';
        out += x.Unknown;
    }
}

// Gives the event what the line holds; the text only when the record's own
// description is still the one the line was written with.
void Take(TTickwellItem& e, TEntry& entry, bool withText, const TRecordCheck& record) {
    entry.Used = true;
    e.Id = entry.Id;
    if (withText && !entry.Text.empty()) {
        // Only a text whose stored form is the record's own: a companion
        // mended by hand or damaged must not put words in another event.
        std::string text = Unescaped(entry.Text);
        unsigned char stored[1 + kMaxDescription];
        const std::string bytes = Utf8ToCp1252(text, kMaxDescription);
        stored[0] = static_cast<unsigned char>(bytes.size());
        std::memcpy(stored + 1, bytes.data(), bytes.size());
        if (StableDigest(stored, 1 + bytes.size()) == record.Text) {
            if (text.size() > kMaxDescription) {
                EventRecord cut;
                cut.SetDescription(text);
                text = cut.Description();
            }
            e.Description = std::move(text);
        }
    }
    e.Extras = ParseAttributes(entry.Attributes);
}

using TByDigest = std::unordered_multimap<std::uint64_t, TEntry*>;

TEntry* FirstUnused(TByDigest& map, std::uint64_t digest, const TRecordCheck* whole = nullptr) {
    const auto [begin, end] = map.equal_range(digest);
    TEntry* best = nullptr;
    for (auto it = begin; it != end; ++it) {
        TEntry* e = it->second;
        // The map holds lines in file order, but equal_range need not.
        if (!e->Used && (!whole || e->Check == *whole) && (!best || e < best))
            best = e;
    }
    return best;
}

std::uint64_t NextCandidate(std::uint64_t id) {
    id = (id ^ (id >> 29)) * 0xbf58476d1ce4e5b9ull + 1;
    return (id ^ (id >> 32)) & 0xFFFFFFFFFFFFull;
}

// The ids a companion's lines hold, summed after a mix: the writer puts
// the sum in the first line, so that a reader that links every line as it is
// and gets the same sum knows the ids are the ones the writer made unique,
// without the hash set over every id that costs most of what linking may
// take. Any line whose id was edited or repeated changes the sum.
std::uint64_t MixedId(std::uint64_t id) {
    id = (id ^ (id >> 31)) * 0x7fb5d329728ea185ull;
    return id ^ (id >> 27);
}

} // namespace

TRecordCheck CheckRecord(const unsigned char* packed) {
    const size_t length = std::min<size_t>(packed[0], kMaxDescription);
    return {StableDigest(packed, kAckOffset),
            StableDigest(packed + kRuleOffset, kAckOffset - kRuleOffset),
            StableDigest(packed, 1 + length)};
}

std::string CompanionPath(const std::string& recordsPath) {
    return recordsPath + ".ext";
}

TLinkReport LinkCompanion(const std::string& recordsPath, const std::vector<TTickwellItem*>& events,
                          const std::vector<TRecordCheck>& checks) {
    TLinkReport report;
    TFileBytes bytes;
    std::string error;
    std::vector<std::string_view> lines;
    std::uint64_t idSum = 0;
    bool idSumKnown = false;
    if (ReadWholeFile(CompanionPath(recordsPath), bytes, error)) {
        std::string_view rest = bytes.View();
        lines.reserve(events.size() + 1);
        while (!rest.empty()) {
            const size_t nl = rest.find('\n');
            lines.push_back(rest.substr(0, nl));
            rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        }
        if (lines.empty() || !lines.front().starts_with(kHeader))
            lines.clear();
        else {
            const std::string_view rest = lines.front().substr(kHeader.size());
            if (rest.starts_with(kIdSumKey))
                idSumKnown = ParseHex(rest.substr(kIdSumKey.size()), idSum);
            lines.erase(lines.begin());
        }
    }

    // Nearly always line i describes record i as it is: those link on the
    // way through, shared by the cores for a large file, and only the rest
    // are kept for matching by digest.
    constexpr std::uint8_t kLinked = 0, kLeft = 1, kUnreadable = 2;
    std::vector<std::uint8_t> lineState(lines.size(), kLeft);
    std::atomic<size_t> linked = 0;
    std::atomic<std::uint64_t> linkedSum = 0;
    InChunks(lines.size(), 4096, [&](size_t begin, size_t end) {
        size_t here = 0;
        std::uint64_t sum = 0;
        for (size_t i = begin; i < end; ++i) {
            TEntry entry;
            if (!ParseEntry(lines[i], entry, true))
                lineState[i] = kUnreadable;
            else if (i < events.size() && entry.Check.Whole == checks[i].Whole) {
                try {
                    Take(*events[i], entry, true, checks[i]);
                    lineState[i] = kLinked;
                    ++here;
                    sum += MixedId(entry.Id);
                } catch (...) {
                    events[i]->Id = 0; // left for the pass below, which may throw
                }
            }
        }
        linked += here;
        linkedSum += sum;
    });
    std::vector<TEntry> leftover;
    std::vector<size_t> unlinked;
    for (size_t i = 0; i < std::max(lines.size(), events.size()); ++i) {
        const std::uint8_t state = i < lines.size() ? lineState[i] : kLeft;
        if (state == kLinked) {
            ++report.Exact;
            continue;
        }
        if (i < events.size())
            unlinked.push_back(i);
        if (state == kUnreadable)
            ++report.Dropped;
        else if (i < lines.size() && !ParseEntry(lines[i], leftover.emplace_back()))
            leftover.pop_back();
    }

    if (!unlinked.empty() && !leftover.empty()) {
        TByDigest byWhole, byText, byRule;
        for (TEntry& e : leftover) {
            byWhole.emplace(e.Check.Whole, &e);
            byText.emplace(e.Check.Text, &e);
            byRule.emplace(e.Check.Rule, &e);
        }
        const auto pass = [&](auto&& link) {
            std::erase_if(unlinked, [&](size_t r) { return link(*events[r], checks[r]); });
        };
        pass([&](TTickwellItem& e, const TRecordCheck& c) {
            TEntry* entry = FirstUnused(byWhole, c.Whole, &c);
            if (entry) {
                Take(e, *entry, true, c);
                ++report.Exact;
            }
            return entry != nullptr;
        });
        pass([&](TTickwellItem& e, const TRecordCheck& c) {
            TEntry* entry = FirstUnused(byText, c.Text);
            const bool sameText = entry != nullptr;
            if (!entry)
                entry = FirstUnused(byRule, c.Rule);
            if (entry) {
                Take(e, *entry, sameText, c);
                ++report.Kept;
            }
            return entry != nullptr;
        });
    }
    for (const TEntry& e : leftover)
        report.Dropped += e.Used ? 0 : 1;

    // All linked on the way through, as nearly always, with the ids the
    // writer gave: nothing left to do.
    if (linked == events.size() && lines.size() == events.size() && idSumKnown &&
        linkedSum == idSum)
        return report;
    // The ids to give here must be the same for every reader of the file
    // until the companion is next written: derived, then stepped past any
    // id taken, where an id the companion repeats stays with its first event.
    std::unordered_set<std::uint64_t> taken;
    taken.reserve(events.size());
    for (TTickwellItem* e : events)
        if (e->Id != 0 && !taken.insert(e->Id).second) {
            e->Id = 0;
            ++report.Given;
        }
    EventRecord rec;
    for (TTickwellItem* e : events) {
        if (e->Id != 0)
            continue;
        e->ToRecord(rec);
        std::uint64_t id = DerivedId(rec);
        while (id == 0 || !taken.insert(id).second)
            id = NextCandidate(id);
        e->Id = id;
    }
    report.Given += static_cast<int>(unlinked.size());
    return report;
}

TCompanionWriter::TCompanionWriter(const std::vector<TTickwellItem*>& order) {
    GiveUniqueIds(order);
    Out.reserve(kHeader.size() + kIdSumKey.size() + 17 + order.size() * 64);
    Out += kHeader;
    Out += kIdSumKey;
    AppendHex(Out, 0, 16);
    Out += '\n';
}

const std::string& TCompanionWriter::Text() {
    std::string sum;
    AppendHex(sum, IdSum, 16);
    Out.replace(kHeader.size() + kIdSumKey.size(), sum.size(), sum);
    return Out;
}

void TCompanionWriter::Add(const TTickwellItem& e, const EventRecord& rec,
                           const unsigned char* packed) {
    const TRecordCheck check = CheckRecord(packed);
    IdSum += MixedId(e.Id);
    AppendHex(Out, e.Id, kEventIdLength);
    for (std::uint64_t digest : {check.Whole, check.Rule, check.Text}) {
        Out += '\t';
        AppendHex(Out, digest, 16);
    }
    Out += '\t';
    // Only text the record cannot hold exactly needs keeping here.
    AppendEscaped(Out, rec.Text);
    if (e.Extras)
        AppendAttributes(Out, *e.Extras);
    Out += '\n';
}

void GiveUniqueIds(const std::vector<TTickwellItem*>& events) {
    std::unordered_set<std::uint64_t> taken;
    taken.reserve(events.size());
    for (TTickwellItem* e : events)
        while (e->Id == 0 || !taken.insert(e->Id).second)
            e->Id = NewEventId();
}
