#pragma once
// What every window test needs: its own folder as TICKWELL_HOME, a fresh
// settings registry in memory, a fixed day, fresh event lists, no other
// window, and message routines that record each text and give the answer the
// test chose.
#include "UiInput.h"
#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/EventLists.h"
#include "core/FormatSettings.h"
#include "core/Messages.h"
#include "store/EventBook.h"
#include "store/Registry.h"
#include "ui/EventBookSignals.h"
#include "ui/FrmEdit.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TUiTestEnv {
    QTemporaryDir Home;
    std::vector<std::pair<std::string, TMsgKind>> Notices;
    std::vector<std::string> Questions;
    TAnswer Answer = anOk;
    int EndRequests = 0;
    TDateTime Day = EncodeDate(2026, 3, 10); // a Tuesday
    std::unique_ptr<TEventBook> Book;
    std::unique_ptr<TEventBookSignals> Events;

    // Before each test.
    void Reset() {
        qputenv("TICKWELL_HOME", Home.path().toLocal8Bit());
        SetRegistryBackend(nullptr);
        FixToday(Day);
        SetFormatSettings(TFormatSettings{});
        // No other window is open, whatever the last test left.
        StartMode = smMain;
        OpenWindowCount = 0;
        MainLinks() = {};
        DueLinks() = {};
        CalendarLinks() = {};
        ClockLinks() = {};
        Events.reset();
        Book = std::make_unique<TEventBook>();
        Events = std::make_unique<TEventBookSignals>(*Book);
        Book->MasterList.FileName = (Home.path() + "/tickwell.dat").toStdString();
        Notices.clear();
        Questions.clear();
        Answer = anOk;
        EndRequests = 0;
        const auto ask = [this](const std::string& t) {
            Questions.push_back(t);
            return Answer;
        };
        SetMessageHandlers(
            {[this](const std::string& t, TMsgKind k) { Notices.emplace_back(t, k); }, ask, ask,
             [] {}, [this] { ++EndRequests; }});
    }

    std::string LastNotice() const { return Notices.empty() ? "" : Notices.back().first; }
};

// A stored event with the given fields, derived dates computed.
inline TTickwellItem* MakeEvent(const std::string& text, TDateTime start, bool simple, int type = 0,
                                int interval = 1, int notice = 7, bool keep = false,
                                TDateTime end = 0) {
    EventRecord rec;
    rec.SetDescription(text);
    rec.StartDate = start;
    rec.EndDate = end ? end : (simple ? start : start + 36500);
    rec.Simple = simple;
    rec.EventType = static_cast<uint8_t>(type);
    rec.Interval = static_cast<int16_t>(interval);
    rec.Weekday = static_cast<int16_t>(DayOfWeek(start));
    rec.NoticePeriod = static_cast<int16_t>(notice);
    rec.KeepFlag = keep;
    rec.NoEndPoint = end == 0;
    return new TTickwellItem(rec);
}

// Runs open, which shows the event editor modally, with the editor driven by
// fill (which ends by pressing a button) once it is up. An editor left open
// is cancelled, so no test can hang on it.
inline void WithEditor(const std::function<void()>& open,
                       const std::function<void(TEditFrm&)>& fill) {
    QObject scope;
    WhenUp<TEditFrm>(fill, &scope);
    QTimer::singleShot(3000, &scope, [] {
        if (EditFrm)
            EditFrm->reject();
    });
    open();
}
