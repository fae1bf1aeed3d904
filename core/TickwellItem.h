#pragma once
// One event: what the user entered, the date last acknowledged, and the
// derived next and previous occurrence and due-scan results.
#include "core/EventExtras.h"
#include "core/EventRecord.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TEventType : uint8_t {
    etDaily = 0,
    etWeekly = 1,
    etMonthlyDate = 2,
    etMonthlyDay = 3,
    etYearly = 4,
    etAccounting = 5,
};

// Due kinds of the due scan.
enum TDueKind : uint8_t {
    dkComing = 0,
    dkToday = 1,
    dkOverdue = 2,
    dkPastEnd = 3,
    dkNotDue = 4,
};

class TTickwellItem {
public:
    std::string Description;
    uint8_t EventType = 0;
    bool Simple = false;
    int32_t Rank = 0;
    int32_t Interval = 0;
    int32_t Weekday = 0;
    TDateTime StartDate = 0;
    TDateTime EndDate = 0;
    int32_t NoticePeriod = 0;
    bool KeepFlag = false;
    bool NoEndPoint = false;
    TDateTime AckDate = 0;
    TDateTime NextDate = 0;
    TDateTime PrevDate = 0;
    TDateTime ScanDate = 0;
    uint8_t DueKind = 0;
    // When the master list took the event, counting up from 1 (0: never
    // listed); kept in memory only. Among events of one date the windows
    // show the one added first first.
    uint64_t AddedOrder = 0;
    // The event's lasting name (48 bits, shown as kEventIdLength hex digits
    // by EventId): given once, when the event is first stored or read, and
    // kept through edits, acknowledgements, saves and restarts. 0 until then.
    uint64_t Id = 0;
    // The companion's other attributes; null while there are none, which is
    // nearly always, so that a million events cost no more than before.
    std::unique_ptr<TEventExtras> Extras;

    // Until when the reminder is put off (0: it is not); an end already
    // past is kept as it was stored, and counts for nothing.
    TDateTime SnoozeEnd() const { return Extras ? Extras->SnoozeUntil : 0; }
    bool SnoozedAt(TDateTime now) const { return Extras && Extras->SnoozeUntil > now; }
    // 0 takes the snooze off.
    void SetSnooze(TDateTime until);

    explicit TTickwellItem(const EventRecord& rec);
    // The same, with the occurrences computed for a given day.
    TTickwellItem(const EventRecord& rec, TDateTime today);
    virtual ~TTickwellItem() = default;
    // Events made in bulk share one block of memory (core/EventArena.h);
    // `delete` gives such an event's slot back to its block and any other to
    // the heap, so whoever owns an event frees it the same way.
    static void* operator new(size_t size);
    static void operator delete(void* p);
    TTickwellItem(const TTickwellItem&) = delete;
    TTickwellItem& operator=(const TTickwellItem&) = delete;

    // Takes the stored fields and recomputes NextDate and PrevDate. ScanDate,
    // DueKind and PrevDate keep what they held before the recomputation.
    virtual void AssignRecord(const EventRecord& rec);
    void ToRecord(EventRecord& rec) const;
    // After an edit: derived dates and AckDate cleared, DueKind 4, Recalc.
    void Reset();

    // Occurrence and due rules, as of Today().
    void Recalc();
    void Recalc(TDateTime today);
    bool InNotice() const;
    TDueKind DueState() const;
    // The same for a given day, for loops that read the clock once.
    bool InNotice(TDateTime today) const;
    TDueKind DueState(TDateTime today) const;
    bool OccursOn(TDateTime day) const;
    // Appends the whole days first..last on which OccursOn holds, in order,
    // found from the rule rather than by asking every day.
    void DaysOccurring(TDateTime first, TDateTime last, std::vector<TDateTime>& out) const;

    std::string ToCsvLine() const;
    std::string StartDateText() const;
    std::string NextDateText() const;
    std::string DaysToNextText() const;
    // The same as of a given day, for a list that shows the day it was made.
    std::string DaysToNextText(TDateTime today) const;
    std::string TypeName() const;
    std::string IntervalText() const;
    std::string AckDateText() const;
    // Two blanks, then ScanDate in the given pattern.
    std::string ScanDateText(const std::string& dateFormat) const;

    // True when the rule has a well-defined occurrence series; otherwise the
    // event behaves as once only (an interval below 1, or a Monthly - Day
    // event without a valid weekday).
    bool HasValidRule() const;

private:
    void AssignFields(const EventRecord& rec);

    // The start date split into its parts, kept for the date it was split
    // from: the calendar asks OccursOn of every event for every day shown.
    struct TStartParts {
        TDateTime For = -1e300;
        int16_t Year = 0;
        uint8_t Month = 0;
        uint8_t Day = 0;
    };
    mutable TStartParts StartParts;
    const TStartParts& Start() const;
};

bool IsOld(const TTickwellItem& e);
bool IsExpired(const TTickwellItem& e);
void AckPastOnCreate(TTickwellItem& e);

// The repeat-type name of a code; "Once Only" when simple.
std::string TypeNameOf(bool simple, int eventType);
// The text up to its first carriage return + line feed.
std::string FirstLine(const std::string& text);
