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
#include <type_traits>
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
    TTickwellItem* Add(TTickwellItem* e) {
        Book->MasterList.AddSorted(e);
        return e;
    }
};

// A window of the test's own, shown and active, destroyed at the end of the
// test unless it closed itself.
template <class T> struct TTestWindow {
    QPointer<T> W;
    template <class... Args> explicit TTestWindow(Args&&... args) : W(new T(args...)) {
        W->show();
        Activate(W);
    }
    ~TTestWindow() { delete W.data(); }
    T* operator->() const { return W.data(); }
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

// Runs open, which shows a dialog (the event editor unless told) modally,
// with the dialog driven by drive (which ends by pressing a button) once it
// is up. A dialog left open is cancelled, so no test can hang on it.
template <class T = TEditFrm>
void WithDialog(const std::function<void()>& open,
                const std::function<void(std::type_identity_t<T>&)>& drive) {
    QObject scope;
    WhenUp<T>(drive, &scope);
    QTimer::singleShot(5000, &scope, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = dynamic_cast<T*>(w); dialog && dialog->isVisible())
                dialog->reject();
    });
    open();
}
