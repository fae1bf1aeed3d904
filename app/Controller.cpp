#include "app/Controller.h"

#include "app/DesktopNotice.h"
#include "app/FrmClock.h"
#include "app/MessageBoxes.h"
#include "app/SleepWatch.h"
#include "app/Startup.h"
#include "app/TrayIcon.h"
#include "app/UntAlarm.h"
#include "app/WindowCommands.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/Messages.h"
#include "core/TrNoop.h"
#include "platform/QtMessages.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "ui/ClockCommands.h"
#include "ui/EventBookSignals.h"
#include "ui/FrmAbt.h"
#include "ui/FrmAlert.h"
#include "ui/FrmEdit.h"
#include "ui/FrmHelp.h"
#include "ui/FrmScan.h"
#include "ui/SettingsSignals.h"
#include "ui/TickTimer.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>

namespace {

// The windows opened at start.
enum TStartWindow { swMain = 1, swDue = 2, swCalendar = 4, swClock = 8 };

int StartWindowsFor(std::uint8_t mode, int trayWindow, bool showClock) {
    switch (mode) {
    case smMain:
        return swMain;
    case smDue:
        return swDue;
    case smCalendar:
        return swCalendar;
    case smTray: {
        const int windows = trayWindow == 0   ? swMain
                            : trayWindow == 1 ? swDue
                            : trayWindow == 2 ? swCalendar
                                              : 0;
        return windows | (showClock ? swClock : 0);
    }
    default:
        return 0;
    }
}

const char* const kNoTrayText = TW_TRANSLATE_NOOP(
    "Messages",
    "This desktop has no system tray, so Tickwell shows its desktop clock instead of a tray "
    "icon. Right-click the clock for Tickwell's menu; drag it to move it.");

} // namespace

TController::TController(TEventBookSignals& events, std::function<bool()> trayAvailable)
    : Events(events), Book(events.Book()),
      TrayAvailable(trayAvailable ? std::move(trayAvailable)
                                  : [] { return QSystemTrayIcon::isSystemTrayAvailable(); }),
      SecondTick(new TTickTimer(
          1000, [this] { EverySecond(); }, this)) {
    InstallClockLinks(Events);
    TClockLinks& links = ClockLinks();
    links.ShowDueWindow = [this] { ShowDueWindow(); };
    links.ExitProgram = [this] { ExitClick(); };
    connect(new TSettingsSignals(this), &TSettingsSignals::changed, this,
            [this](const QString& key) {
                if (TSettingsSignals::Is(key, kAlarm0) || TSettingsSignals::Is(key, kAlarm1) ||
                    TSettingsSignals::Is(key, kAlarm2)) {
                    const TSettings settings;
                    SetAlarmTimes(
                        {settings.Get(kAlarm0), settings.Get(kAlarm1), settings.Get(kAlarm2)});
                }
            });
    Book.SetBeforeScan([this] { CheckDayBeforeScan(); });

    TrayIcon = new TTrayIcon(TrayAvailable, this);
    TrayIcon->OnMissing = [this] { UseDesktopClockInsteadOfTray(); };
    TrayIcon->OnBack = [this] { TrayIsBack(); };
    ConnectTrayMenu();
    Notice = new TDesktopNotice(
        TrayIcon->Icon(), [this] { BringDueWindowForward(); }, this);
    Notice->OnAcknowledge = [this](const std::vector<std::uint64_t>& ids) {
        ActOnListed(ids, true);
    };
    Notice->OnSnooze = [this](const std::vector<std::uint64_t>& ids) { ActOnListed(ids, false); };
    connect(TrayIcon->Icon(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    ShowDueWindow();
            });
    Sleep = new TSleepWatch([this] { AsleepSince = Now(); }, [this] { Woken(); }, this);
    for (auto signal :
         {&TEventBookSignals::Added, &TEventBookSignals::Changed, &TEventBookSignals::Removed})
        connect(&Events, signal, this, &TController::NoteNextSnoozeEnd);
    for (auto signal : {&TEventBookSignals::Reset, &TEventBookSignals::DueRebuilt})
        connect(&Events, signal, this, &TController::NoteNextSnoozeEnd);
    NoteNextSnoozeEnd();
}

TController::~TController() {
    FreeAlarms();
    TClockLinks& links = ClockLinks();
    links.ShowDueWindow = nullptr;
    links.ExitProgram = nullptr;
    Book.SetBeforeScan({});
    delete Notice;
    delete TrayIcon;
    delete DesktopClock.data();
}

void TController::ConnectTrayMenu() {
    const TTrayIcon& t = *TrayIcon;
    connect(t.MainWindowAction, &QAction::triggered, this, [this] { ShowMainWindow(Events); });
    connect(t.DueWindowAction, &QAction::triggered, this, [this] { ShowDueWindow(); });
    connect(t.CalendarAction, &QAction::triggered, this,
            [] { RunClockCommand(&TClockLinks::ShowCalendar); });
    connect(t.DesktopClockAction, &QAction::triggered, this, &TController::DesktopClockClick);
    connect(t.SuspendAction, &QAction::triggered, this, &TController::SuspendClick);
    connect(t.OptionsAction, &QAction::triggered, this,
            [] { RunClockCommand(&TClockLinks::ShowOptions); });
    connect(t.ScheduleAction, &QAction::triggered, this,
            [] { RunClockCommand(&TClockLinks::ShowSchedule); });
    connect(t.HelpContentsAction, &QAction::triggered, this, [] { ShowHelpContents(); });
    connect(t.AboutAction, &QAction::triggered, this, &TController::AboutClick);
    connect(t.ExitAction, &QAction::triggered, this, &TController::ExitClick);
}

TClockFrm* TController::Start() {
    DesktopClock = new TClockFrm;
    // Standing in for the tray, the clock's menu holds the tray's entries.
    connect(DesktopClock->ClockMenu(), &QMenu::aboutToShow, TrayIcon, &TTrayIcon::UpdateEntries);
    const TWinRegistry reg;
    AlarmTimes = {ReadSetting(reg, kAlarm0), ReadSetting(reg, kAlarm1), ReadSetting(reg, kAlarm2)};

    CurrentDay = Today();
    EverySecond();
    SecondTick->Start();

    OpenStartWindows();
    // After the clock's own start, which a tray that goes and comes back
    // returns to.
    if (StartMode == smTray)
        ShowTrayIcon();

    connect(qApp, &QGuiApplication::commitDataRequest, this, &TController::CommitData);
    return DesktopClock;
}

TClockFrm* TController::Clock() const {
    return DesktopClock;
}

void TController::OpenStartWindows() {
    const TWinRegistry reg;
    const int windows =
        StartWindowsFor(StartMode, ReadSetting(reg, kTrayWindow), ReadSetting(reg, kShowClock));
    if ((windows & swCalendar) && ClockLinks().ShowCalendar)
        ClockLinks().ShowCalendar();
    if (windows & swDue)
        ShowDueWindow();
    if (windows & swMain)
        ShowMainWindow(Events);
    if (StartMode == smTray)
        SetupAlarms();
    if (windows & swClock) {
        TrayIcon->DesktopClockAction->setChecked(true);
        DesktopClock->show();
    }
}

bool TController::OpenTrayStartWindows() {
    const TWinRegistry reg;
    const int windows =
        StartWindowsFor(smTray, ReadSetting(reg, kTrayWindow), ReadSetting(reg, kShowClock));
    bool opened = false;
    if ((windows & swCalendar) && ClockLinks().ShowCalendar) {
        ClockLinks().ShowCalendar();
        opened = true;
    }
    if (windows & swDue) {
        ShowDueWindow();
        opened = true;
    }
    if (windows & swMain) {
        ShowMainWindow(Events);
        opened = true;
    }
    if ((windows & swClock) && !SuspendedFlag && DesktopClock) {
        TrayIcon->DesktopClockAction->setChecked(true);
        DesktopClock->show();
        DesktopClock->raise();
        opened = true;
    }
    return opened;
}

void TController::OpenForSecondStart(std::uint8_t startMode) {
    switch (startMode) {
    case smMain:
        ShowMainWindow(Events);
        break;
    case smDue:
        ShowDueWindow();
        break;
    case smCalendar:
        if (ClockLinks().ShowCalendar)
            ClockLinks().ShowCalendar();
        else
            ShowMainWindow(Events);
        break;
    case smTray:
        // A start that would show nothing still asks to see the program.
        if (!OpenTrayStartWindows())
            ShowMainWindow(Events);
        break;
    default: // the quick check has said all there was to say
        break;
    }
}

// ---- tray -------------------------------------------------------------------

void TController::ShowTrayIcon() {
    TrayIcon->Show();
}

void TController::UseDesktopClockInsteadOfTray() {
    if (!DesktopClock)
        return;
    QAction* desktopClock = TrayIcon->DesktopClockAction;
    ClockShownWithTray = desktopClock->isChecked();
    DesktopClock->StandInForTray(TrayIcon->StandInEntries());
    desktopClock->setChecked(true);
    if (SuspendedFlag)
        DesktopClock->ShowSuspended();
    DesktopClock->show();
    if (!ReadSetting(kNoTrayTold)) {
        WriteSetting(kNoTrayTold, true);
        QTimer::singleShot(0, DesktopClock, [] { ShowMsg(kNoTrayText, mkInformation); });
    }
}

// A tray that comes up after the program (a panel started later at login,
// or started again) takes over from the desktop clock, which goes back to
// how it was with a tray.
void TController::TrayIsBack() {
    if (!DesktopClock)
        return;
    DesktopClock->EndStandIn();
    if (!ClockShownWithTray || SuspendedFlag) {
        TrayIcon->DesktopClockAction->setChecked(false);
        DesktopClock->hide();
    }
}

void TController::DesktopClockClick() {
    DesktopClock->setVisible(TrayIcon->DesktopClockAction->isChecked());
}

void TController::SuspendClick() {
    SuspendedFlag = !SuspendedFlag;
    TrayIcon->ShowSuspended(SuspendedFlag);
    if (!SuspendedFlag) {
        SetupAlarms();
        SecondTick->Start();
        EverySecond();
        return;
    }
    FreeAlarms();
    SecondTick->Stop();
    if (TrayIcon->Missing()) {
        // Still the only way in: it stays, saying why it stands still.
        DesktopClock->ShowSuspended();
    } else if (TrayIcon->DesktopClockAction->isChecked()) {
        TrayIcon->DesktopClockAction->setChecked(false);
        DesktopClock->hide();
    }
}

void TController::AboutClick() {
    TAboutDlg dlg;
    dlg.exec();
}

void TController::ExitClick() {
    if (DesktopClock)
        DesktopClock->close();
}

// ---- time -------------------------------------------------------------------

void TController::EverySecond() {
    if (DesktopClock)
        DesktopClock->ShowTime();
    CheckDayChange();
    CheckSnoozes();
    LastTick = Now();
}

void TController::Woken() {
    // Without the signal before the sleep, the last tick is the last moment
    // known awake.
    const TDateTime since = AsleepSince != 0 ? AsleepSince : LastTick;
    AsleepSince = 0;
    CheckDayChange();
    const TDateTime now = Now();
    if (StartMode == smTray && !SuspendedFlag && since != 0 && ScheduleTimePassed(since, now)) {
        // Each alarm aims at its next time from now, so none of them also
        // fires for a time just passed.
        SetupAlarms();
        if (ShowDueWindow() && ReadSetting(kNotify))
            Notice->Show(Book.DueList.All());
    }
    CheckSnoozes();
    LastTick = now;
}

bool TController::ScheduleTimePassed(TDateTime since, TDateTime now) const {
    for (const std::string& time : AlarmTimes) {
        TDateTime timeOfDay = 0;
        if (time.empty() || !TryReadTimeOfDay(time, timeOfDay))
            continue;
        TDateTime next = DateOf(since) + timeOfDay;
        if (next <= since)
            next += 1;
        if (next <= now)
            return true;
    }
    return false;
}

void TController::NoteNextSnoozeEnd() {
    NextSnoozeEnd = Book.MasterList.NextSnoozeEnd();
}

void TController::CheckSnoozes() {
    // The count-down alert brings the windows up to date itself, later.
    if (NextSnoozeEnd == 0 || Now() < NextSnoozeEnd || MidnightFrm)
        return;
    const TDateTime from = NextSnoozeEnd;
    // The scan notes the next end.
    NextSnoozeEnd = 0;
    Book.Scan();
    const TDateTime now = Now();
    std::vector<TTickwellItem*> back;
    for (TTickwellItem* e : Book.DueList.All())
        if (e->SnoozeEnd() >= from && e->SnoozeEnd() <= now)
            back.push_back(e);
    if (back.empty())
        return;
    const bool scheduled =
        std::any_of(AlarmTimes.begin(), AlarmTimes.end(), [](const std::string& time) {
            TDateTime timeOfDay = 0;
            return !time.empty() && TryReadTimeOfDay(time, timeOfDay);
        });
    if (StartMode == smTray && scheduled && !SuspendedFlag)
        ShowDueWindow();
    if (ReadSetting(kNotify))
        Notice->Show(back);
}

void TController::ActOnListed(const std::vector<std::uint64_t>& ids, bool acknowledge) {
    if (RefuseChange())
        return;
    std::vector<TTickwellItem*> events;
    for (TTickwellItem* e : Book.MasterList.All())
        if (std::find(ids.begin(), ids.end(), e->Id) != ids.end())
            events.push_back(e);
    try {
        if (acknowledge) {
            // Acknowledged as the due list of now shows them.
            Book.Scan();
            Book.AcknowledgeAll(events);
        } else {
            Book.SnoozeForPeriod(events);
        }
    } catch (const TTickwellError& e) {
        ShowMsg(e.what(), mkError);
    }
}

void TController::CheckDayChange() {
    // A jump of the system clock, or a night asleep, is a change of day too.
    if (Today() != CurrentDay)
        DayChanged();
}

void TController::DayChanged() {
    DesktopClock->UpdateDateLabel();
    CurrentDay = Today();
    const bool eventWindowShown =
        !(OpenWindowCount == 0 || (OpenWindowCount == 1 && DesktopClock->isVisible()));
    if (eventWindowShown)
        ShowCountDownAlert([this] { RecomputeEventsForToday(Book); });
    else
        // Nothing is scanned now: the next scan lists the new day.
        RecomputeEventsForToday(Book);
}

// Run before every due scan: the change of day if the tick has not seen the
// new day yet. The book itself works the events out anew when they are still
// a past day's (the count-down alert was cancelled, or has not run yet).
void TController::CheckDayBeforeScan() {
    // The alert's update scans too; one check at a time is enough.
    if (CheckingDay)
        return;
    CheckingDay = true;
    if (DesktopClock)
        CheckDayChange();
    CheckingDay = false;
}

bool TController::ShowDueWindow() {
    CheckDayBeforeScan();
    if (EditFrm != nullptr || MidnightFrm != nullptr)
        return false;
    if (Book.Scan()) {
        if (ScanFrm != nullptr && ScanFrm->isVisible()) {
            // Already on screen: only brought to the front.
            ScanFrm->raise();
            ScanFrm->activateWindow();
            LastShownWindow = 2;
        } else {
            ShowDueEventsWindow(Events);
        }
        return true;
    }
    if (TSettings().Get(kShowNoEventsMsg)) {
        // Shown from the event loop, so the command that asked returns first.
        QTimer::singleShot(0, [] { ShowMsg(kNoEventsDueText, mkInformation); });
    } else if (MainLinks().ShowStatusText) {
        MainLinks().ShowStatusText(TranslatedNotice(kNoEventsDueText));
    }
    return false;
}

// ---- schedule ---------------------------------------------------------------

void TController::SetAlarmTimes(const std::array<std::string, 3>& times) {
    AlarmTimes = times;
    // A suspended schedule stays quiet; Resume arms the new times.
    if (!SuspendedFlag)
        SetupAlarms();
}

void TController::SetupAlarms() {
    for (size_t i = 0; i < Alarms.size(); ++i) {
        if (!Alarms[i])
            Alarms[i] = new TAlarm(this);
        TDateTime timeOfDay = 0;
        if (!AlarmTimes[i].empty() && TryReadTimeOfDay(AlarmTimes[i], timeOfDay)) {
            const TDateTime now = Now();
            const TDateTime day = (now - DateOf(now)) >= timeOfDay ? DateOf(now) + 1 : DateOf(now);
            Alarms[i]->SetAlarmTime(day + timeOfDay);
            Alarms[i]->SetEnabled(true);
        } else {
            // Empty, or not a time of day: off.
            Alarms[i]->SetEnabled(false);
        }
        Alarms[i]->SetOnAlarm([this](TAlarm* alarm) { AlarmRang(alarm); });
    }
}

void TController::FreeAlarms() {
    for (TAlarm*& alarm : Alarms) {
        delete alarm;
        alarm = nullptr;
    }
}

void TController::AlarmRang(TAlarm* alarm) {
    alarm->SetAlarmTime(alarm->AlarmTime() + 1);
    // Outside tray mode the alarms only move on to the next day.
    if (StartMode != smTray)
        return;
    if (ShowDueWindow() && ReadSetting(kNotify))
        Notice->Show(Book.DueList.All());
}

void TController::BringDueWindowForward() {
    if (ScanFrm) {
        if (ScanFrm->isMinimized())
            ScanFrm->showNormal();
        ScanFrm->raise();
        ScanFrm->activateWindow();
    } else {
        ShowDueWindow();
    }
}

// ---- session end ------------------------------------------------------------

void TController::CommitData(QSessionManager& manager) {
    if (!TrayIcon->Missing() && DesktopClock)
        DesktopClock->hide();
    if (!ReadSetting(kWinExShow) || !Book.Scan())
        return;
    if (manager.allowsInteraction()) {
        ShowDueAtShutdown();
        manager.release();
    }
}

void TController::ShowDueAtShutdown() {
    if (StartMode != smTray || MidnightFrm || EditFrm)
        return;
    if (Book.DueList.Empty() && !Book.Scan()) {
        if (TSettings().Get(kShowNoEventsMsg))
            ShowMsg(kNoEventsDueText, mkInformation);
        return;
    }
    if (!ScanFrm) {
        TScanFrm* w = CreateDueWindow(Events);
        w->QuitOnClose = true;
        w->ExecModal();
    }
}
