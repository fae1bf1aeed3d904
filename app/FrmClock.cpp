#include "app/FrmClock.h"

#include "app/DesktopNotice.h"
#include "app/Startup.h"
#include "app/TrayArt.h"
#include "app/UntAlarm.h"
#include "app/WindowCommands.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "core/FormatSettings.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "store/SettingsSchema.h"
#include "ui/ClockCommands.h"
#include "ui/FrmAbt.h"
#include "ui/FrmAlert.h"
#include "ui/FrmEdit.h"
#include "ui/FrmHelp.h"
#include "ui/FrmScan.h"
#include "ui/ScreenFit.h"
#include "ui/Theme.h"
#include "ui/TickTimer.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QApplication>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cctype>

TClockFrm* ClockFrm = nullptr;
std::function<bool()> TClockFrm::TrayAvailable = [] {
    return QSystemTrayIcon::isSystemTrayAvailable();
};

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

// The thin frame round the borderless clock.
constexpr int kFrame = 1;

// The short date with a two-digit year, in the order of the short date
// format, so the line fits the clock. Where the locale has no date of its
// own, the year is written in full: "26-03-10" could be read either way.
const char* DateLinePattern() {
    const TFormatSettings& fs = FormatSettings();
    if (!fs.ShortDateFromLocale)
        return "ddd yyyy-mm-dd";
    const char first =
        fs.ShortDateFormat.empty() ? 'D' : static_cast<char>(std::toupper(fs.ShortDateFormat[0]));
    return first == 'M' ? "ddd mm/dd/yy" : first == 'Y' ? "ddd yy/mm/dd" : "ddd dd/mm/yy";
}

// The widest text the clock shows, with a blank on either side.
QString ClockSample() {
    return FormatSettings().ShortDateFromLocale ? QStringLiteral(" Wed 88/88/88 ")
                                                : QStringLiteral(" Wed 8888-88-88 ");
}

const char* const kNoTrayText =
    "This desktop has no system tray, so Tickwell shows its desktop clock instead of a tray "
    "icon. Right-click the clock for Tickwell's menu; drag it to move it.";

// What the clock says in place of the time while the schedule is suspended
// and it stands in for the tray.
const char* const kSuspendedText = "Suspended";

// A font the desktop does not have is replaced by its own default.
QString ClockFontFamily(const std::string& stored) {
    if (stored.empty() || stored == "MS Sans Serif")
        return QApplication::font().family();
    return QString::fromStdString(stored);
}

} // namespace

TClockFrm::TClockFrm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), TrayIcon1(new QSystemTrayIcon(this)),
      TrayIconMenu(new QMenu(this)), PopupMenu1(new QMenu(this)),
      Timer1(new TTickTimer(
          1000, [this] { Timer1Timer(); }, this)),
      TrayWatch(new TTickTimer(
          1000, [this] { FollowTray(); }, this)) {
    setObjectName("ClockFrm");
    setWindowTitle("Tickwell");
    ClockFrm = this;
    InstallClockLinks();
    ClockLinks().SetScheduleTimes = [this](const std::array<std::string, 3>& times) {
        SetAlarmTimes(times);
    };

    TheDate = new QLabel(this);
    TheDate->setObjectName("TheDate");
    Clock = new QLabel(this);
    Clock->setObjectName("Clock");
    for (QLabel* l : {TheDate, Clock}) {
        l->setAlignment(Qt::AlignCenter);
        // Clicks and drags go to the window, which moves.
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    BuildMenus();
    Notice = new TDesktopNotice(
        TrayIcon1, [this] { BringDueWindowForward(); }, this);
    // The look first, so that a clock shown for a missing tray has it.
    ReadSettings();

    // Creation, in its order. The hints of the main window's menus are
    // shown by that window's own status bar.
    TrayIcon1->setIcon(TrayImage(false));
    TrayIcon1->setToolTip("Tickwell");
    TrayIcon1->setContextMenu(TrayIconMenu);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    ShowDueWindow();
            });

    CurrentDay = Today();
    if (EventsComputedFor() == 0)
        SetEventsComputedFor(CurrentDay);
    Timer1Timer();
    Timer1->Start();

    const TWinRegistry reg;
    const int windows =
        StartWindowsFor(StartMode, ReadSetting(reg, kTrayWindow), ReadSetting(reg, kShowClock));
    if ((windows & swCalendar) && ClockLinks().ShowCalendar)
        ClockLinks().ShowCalendar();
    if (windows & swDue)
        ShowDueWindow();
    if (windows & swMain)
        ShowMainWindow();
    if (StartMode == smTray)
        SetupAlarms();
    StayOnTopFlag(StayOnTop->isChecked());
    if (windows & swClock) {
        DesktopClock1->setChecked(true);
        show();
    }
    // After the clock's own start, which a tray that goes and comes back
    // returns to.
    if (StartMode == smTray)
        ShowTrayIcon();

    connect(qApp, &QGuiApplication::commitDataRequest, this, &TClockFrm::CommitData);
}

TClockFrm::~TClockFrm() {
    FreeAlarms();
    WriteSettings();
    if (ClockFrm == this)
        ClockFrm = nullptr;
    ClockLinks().SetScheduleTimes = nullptr;
}

// ---- menus ------------------------------------------------------------------

QAction* TClockFrm::MenuItem(const char* name, const char* caption, const QKeySequence& key,
                             void (TClockFrm::*command)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return a;
}

void TClockFrm::BuildMenus() {
    StayOnTop = MenuItem("StayOnTop", "Sta&y On Top", QKeySequence(Qt::CTRL | Qt::Key_Y),
                         &TClockFrm::StayOnTopClick);
    StayOnTop->setCheckable(true);
    Font1 = MenuItem("Font1", "Clock &Font...", QKeySequence(Qt::CTRL | Qt::Key_F),
                     &TClockFrm::Font1Click);
    WindowColour1 = MenuItem("WindowColour1", "C&lock Colour", QKeySequence(Qt::CTRL | Qt::Key_W),
                             &TClockFrm::WindowColour1Click);
    TextColour1 = MenuItem("TextColour1", "Te&xt Colour", QKeySequence(Qt::CTRL | Qt::Key_X),
                           &TClockFrm::TextColour1Click);
    N24hrFormat1 = MenuItem("N24hrFormat1", "24 &hr Format", QKeySequence(Qt::CTRL | Qt::Key_H),
                            &TClockFrm::N24hrFormat1Click);
    N24hrFormat1->setCheckable(true);
    Help1 = MenuItem("Help1", "Hel&p", QKeySequence(Qt::Key_F1), &TClockFrm::Help1Click);
    Exit2 = MenuItem("Exit2", "Exit", QKeySequence(), &TClockFrm::Exit1Click);

    ShowMainForm1 = MenuItem("ShowMainForm1", "Show Main Window", QKeySequence(),
                             &TClockFrm::ShowMainForm1Click);
    ShowTickwellsWindow1 = MenuItem("ShowTickwellsWindow1", "Show Tickwells Window", QKeySequence(),
                                    &TClockFrm::ShowTickwellsWindow1Click);
    ShowCalendar1 =
        MenuItem("ShowCalendar1", "Show Calendar", QKeySequence(), &TClockFrm::ShowCalendar1Click);
    DesktopClock1 =
        MenuItem("DesktopClock1", "Desktop Clock", QKeySequence(), &TClockFrm::DesktopClock1Click);
    DesktopClock1->setCheckable(true);
    SuspendSchedule1 =
        MenuItem("SuspendSchedule1", "Sus&pend", QKeySequence(), &TClockFrm::SuspendSchedule1Click);
    Options1 = MenuItem("Options1", "Options...", QKeySequence(), &TClockFrm::Options1Click);
    Schedule1 = MenuItem("Schedule1", "Schedule...", QKeySequence(), &TClockFrm::Schedule1Click);
    HelpContents1 =
        MenuItem("HelpContents1", "Help Contents", QKeySequence(), &TClockFrm::HelpContents1Click);
    About1 = MenuItem("About1", "About", QKeySequence(), &TClockFrm::About1Click);
    Exit1 = MenuItem("Exit1", "Exit", QKeySequence(), &TClockFrm::Exit1Click);

    TrayIconMenu->setObjectName("TrayIconMenu");
    TrayIconMenu->addActions({ShowMainForm1, ShowTickwellsWindow1, ShowCalendar1, DesktopClock1});
    TrayIconMenu->addSeparator();
    TrayIconMenu->addAction(SuspendSchedule1);
    TrayIconMenu->addSeparator();
    TrayIconMenu->addActions({Options1, Schedule1});
    TrayIconMenu->addSeparator();
    TrayIconMenu->addActions({HelpContents1, About1});
    TrayIconMenu->addSeparator();
    TrayIconMenu->addAction(Exit1);

    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->addActions({StayOnTop, Font1, WindowColour1, TextColour1, N24hrFormat1});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({Help1, Exit2});

    for (QMenu* m : {TrayIconMenu, PopupMenu1})
        connect(m, &QMenu::aboutToShow, this, &TClockFrm::UpdateMenuStates);
}

// Entries whose window does not exist yet stay in the menu, disabled; while
// the event editor is open, none of the tray's entries can be chosen.
void TClockFrm::UpdateMenuStates() {
    const bool editing = EditFrm != nullptr;
    for (QAction* a : TrayIconMenu->actions())
        a->setEnabled(!editing);
    if (editing)
        return;
    EnableForClockCommand({ShowCalendar1}, &TClockLinks::ShowCalendar);
    EnableForClockCommand({Options1}, &TClockLinks::ShowOptions);
    EnableForClockCommand({Schedule1}, &TClockLinks::ShowSchedule);
    DesktopClock1->setEnabled(!SuspendedFlag && !NoTray);
}

void TClockFrm::ShowTrayIcon() {
    // Qt tells nothing when a tray goes or comes (a panel restarted, or
    // started after the program), so it is looked for every second, on a
    // timer of its own: a suspended schedule must not leave the program
    // without a way in.
    if (!TrayWatch->IsActive())
        TrayWatch->Start();
    FollowTray();
}

void TClockFrm::FollowTray() {
    if (!TrayAvailable()) {
        if (!NoTray)
            UseDesktopClockInsteadOfTray();
    } else if (NoTray) {
        TrayIsBack();
    } else {
        TrayIcon1->show();
    }
}

void TClockFrm::UseDesktopClockInsteadOfTray() {
    NoTray = true;
    ClockShownWithTray = DesktopClock1->isChecked();
    TrayIcon1->hide();
    // The clock's menu takes the tray's entries; the clock cannot be hidden,
    // being the only way in.
    PopupMenu1->removeAction(Exit2);
    NoTraySeparator = PopupMenu1->addSeparator();
    for (QAction* a : TrayIconMenu->actions())
        if (a != DesktopClock1)
            PopupMenu1->addAction(a);
    DesktopClock1->setChecked(true);
    if (SuspendedFlag)
        Clock->setText(kSuspendedText);
    show();
    if (!ReadSetting(kNoTrayTold)) {
        WriteSetting(kNoTrayTold, true);
        QTimer::singleShot(0, this, [] { ShowMsg(kNoTrayText, mkInformation); });
    }
}

// A tray that comes up after the program (a panel started later at login,
// or started again) takes over from the desktop clock, which goes back to
// how it was with a tray.
void TClockFrm::TrayIsBack() {
    NoTray = false;
    for (QAction* a : TrayIconMenu->actions())
        PopupMenu1->removeAction(a);
    delete NoTraySeparator;
    NoTraySeparator = nullptr;
    PopupMenu1->addAction(Exit2);
    TrayIcon1->show();
    if (!ClockShownWithTray || SuspendedFlag) {
        DesktopClock1->setChecked(false);
        hide();
    }
}

// ---- settings and look ------------------------------------------------------

void TClockFrm::ReadSettings() {
    const TWinRegistry reg;
    ClockFont = QFont(ClockFontFamily(ReadSetting(reg, kClockFontName)));
    const int size = ReadSetting(reg, kClockFontSize);
    // The window follows the text: a font larger than the screen would give
    // a window, and a buffer, larger than the screen.
    const QRect area = AvailableArea();
    ClockFont.setPointSize(size > 0 ? std::min(size, std::max(1, area.height()))
                                    : kClockFontSize.Default);
    const QFontMetrics fm(ClockFont);
    const double scale =
        std::min({1.0, 0.95 * area.width() / (fm.horizontalAdvance(ClockSample()) + 2 * kFrame),
                  0.95 * area.height() / (2 * fm.height() + 2 * kFrame)});
    if (scale < 1)
        ClockFont.setPointSize(std::max(1, static_cast<int>(ClockFont.pointSize() * scale)));
    FontColour = StoredColour(ReadSetting(reg, kClockFontCol), QApplication::palette());
    ClockFont.setBold(ReadSetting(reg, kClockBold));
    ClockFont.setItalic(ReadSetting(reg, kClockItalic));
    Background = StoredColour(ReadSetting(reg, kClockColor), QApplication::palette());
    QPoint pos(ReadSetting(reg, kClockLeft), ReadSetting(reg, kClockTop));
    StayOnTop->setChecked(ReadSetting(reg, kClockOnTop));
    N24hrFormat1->setChecked(ReadSetting(reg, kClock24Hour));
    AlarmTimes = {ReadSetting(reg, kAlarm0), ReadSetting(reg, kAlarm1), ReadSetting(reg, kAlarm2)};
    ApplyLook();
    // A place from another screen layout is brought back onto this one.
    if (const QScreen* s = QGuiApplication::screenAt(pos) ? QGuiApplication::screenAt(pos)
                                                          : QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() - width())));
        pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(pos);
    LookAsRead = Look();
}

std::string TClockFrm::Look() const {
    return QStringList{QString::number(x()),
                       QString::number(y()),
                       ClockFont.toString(),
                       FontColour.name(),
                       Background.name(),
                       QString::number(N24hrFormat1->isChecked()),
                       QString::number(StayOnTop->isChecked())}
        .join('|')
        .toStdString();
}

void TClockFrm::WriteSettings() const {
    if (Look() == LookAsRead)
        return;
    TWinRegistry reg;
    WriteSetting(reg, kClockLeft, x());
    WriteSetting(reg, kClockTop, y());
    WriteSetting(reg, kClockFontName, ClockFont.family().toStdString());
    WriteSetting(reg, kClockFontSize,
                 ClockFont.pointSize() > 0 ? ClockFont.pointSize() : kClockFontSize.Default);
    WriteSetting(reg, kClockBold, ClockFont.bold());
    WriteSetting(reg, kClockItalic, ClockFont.italic());
    WriteSetting(reg, kClockFontCol, StoredColourValue(FontColour));
    WriteSetting(reg, kClockColor, StoredColourValue(Background));
    WriteSetting(reg, kClock24Hour, N24hrFormat1->isChecked());
    WriteSetting(reg, kClockOnTop, StayOnTop->isChecked());
}

void TClockFrm::ApplyLook() {
    for (QLabel* l : {TheDate, Clock}) {
        l->setFont(ClockFont);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, FontColour);
        l->setPalette(pal);
    }
    LayoutClock();
    update();
}

void TClockFrm::LayoutClock() {
    const QFontMetrics fm(ClockFont);
    setFixedSize(fm.horizontalAdvance(ClockSample()) + 2 * kFrame, 2 * fm.height() + 2 * kFrame);
}

void TClockFrm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const QRect inner = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    const int half = inner.height() / 2;
    TheDate->setGeometry(inner.left(), inner.top(), inner.width(), half);
    Clock->setGeometry(inner.left(), inner.top() + half + 1, inner.width(),
                       inner.height() - half - 1);
}

void TClockFrm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Background);
    p.setPen(Background.lightness() > 96 ? Background.darker(170) : Background.lighter(180));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TClockFrm::UpdateDateLabel() {
    TheDate->setText(QString::fromStdString(FormatDateTime(DateLinePattern(), Today())));
}

void TClockFrm::StayOnTopFlag(bool onTop) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags takes the window off the screen.
    if (visible)
        show();
}

// ---- showing, moving --------------------------------------------------------

void TClockFrm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous() || Shown)
        return;
    Shown = true;
    UpdateDateLabel();
    LayoutClock();
    ++OpenWindowCount;
    // The window last opened from here comes back in front of the clock.
    const int last = LastShownWindow;
    QTimer::singleShot(0, this, [last] {
        QWidget* w = last == 1   ? MainLinks().Window
                     : last == 2 ? DueLinks().Window
                     : last == 4 ? CalendarLinks().Window
                                 : nullptr;
        if (w) {
            w->raise();
            w->activateWindow();
        }
    });
}

void TClockFrm::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (e->spontaneous() || !Shown)
        return;
    Shown = false;
    --OpenWindowCount;
}

void TClockFrm::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    // The window manager moves it where it can; otherwise it follows the
    // mouse by hand.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    Dragging = true;
    DragOffset = e->globalPosition().toPoint() - pos();
}

void TClockFrm::mouseMoveEvent(QMouseEvent* e) {
    if (Dragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - DragOffset);
}

void TClockFrm::mouseReleaseEvent(QMouseEvent* e) {
    Dragging = false;
    QWidget::mouseReleaseEvent(e);
}

void TClockFrm::contextMenuEvent(QContextMenuEvent* e) {
    PopupMenu1->popup(e->globalPos());
}

// ---- time -------------------------------------------------------------------

void TClockFrm::Timer1Timer() {
    const char* timeFormat = N24hrFormat1->isChecked() ? "hh:nn:ss" : "h:nn:ss ampm";
    Clock->setText(QString::fromStdString(FormatDateTime(timeFormat, Now())));
    CheckDayChange();
}

void TClockFrm::CheckDayChange() {
    // A jump of the system clock, or a night asleep, is a change of day too.
    if (Today() != CurrentDay)
        DayChanged();
}

void TClockFrm::DayChanged() {
    UpdateDateLabel();
    CurrentDay = Today();
    const bool eventWindowShown = !(OpenWindowCount == 0 || (OpenWindowCount == 1 && isVisible()));
    if (eventWindowShown)
        ShowCountDownAlert(RecomputeEventsForToday);
    else
        // Nothing is scanned now: the next scan lists the new day.
        RecomputeEventsForToday();
}

// ---- schedule ---------------------------------------------------------------

void TClockFrm::SetAlarmTimes(const std::array<std::string, 3>& times) {
    AlarmTimes = times;
    // A suspended schedule stays quiet; Resume arms the new times.
    if (!SuspendedFlag)
        SetupAlarms();
}

void TClockFrm::SetupAlarms() {
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
        Alarms[i]->SetOnAlarm([this](TAlarm* alarm) { AlarmTimer(alarm); });
    }
}

void TClockFrm::FreeAlarms() {
    for (TAlarm*& alarm : Alarms) {
        delete alarm;
        alarm = nullptr;
    }
}

void TClockFrm::AlarmTimer(TAlarm* alarm) {
    alarm->SetAlarmTime(alarm->AlarmTime() + 1);
    // Outside tray mode the alarms only move on to the next day.
    if (StartMode != smTray)
        return;
    if (ShowDueWindow() && DueList && ReadSetting(kNotify))
        Notice->Show(DueList->All());
}

void TClockFrm::BringDueWindowForward() {
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

void TClockFrm::CommitData(QSessionManager& manager) {
    if (!NoTray)
        hide();
    if (!ReadSetting(kWinExShow) || !MasterList || !MasterList->Scan())
        return;
    if (manager.allowsInteraction()) {
        ShowDueAtShutdown();
        manager.release();
    }
}

void TClockFrm::ShowDueAtShutdown() {
    if (StartMode != smTray || MidnightFrm || EditFrm)
        return;
    if (DueList->Empty() && !MasterList->Scan()) {
        if (ShowNoEventsMsg)
            ShowMsg(kNoEventsDueText, mkInformation);
        return;
    }
    if (!ScanFrm) {
        TScanFrm* w = CreateDueWindow();
        w->QuitOnClose = true;
        w->ExecModal();
    }
}

// ---- clock menu -------------------------------------------------------------

void TClockFrm::StayOnTopClick() {
    StayOnTopFlag(StayOnTop->isChecked());
}

void TClockFrm::Font1Click() {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, ClockFont, this, "Clock Font");
    if (!ok)
        return;
    ClockFont = f;
    ApplyLook();
}

void TClockFrm::WindowColour1Click() {
    const QColor c = QColorDialog::getColor(Background, this, "Clock Colour");
    if (!c.isValid())
        return;
    Background = c;
    update();
}

void TClockFrm::TextColour1Click() {
    const QColor c = QColorDialog::getColor(FontColour, this, "Text Colour");
    if (!c.isValid())
        return;
    FontColour = c;
    ApplyLook();
}

void TClockFrm::Help1Click() {
    ShowHelpTopic("tray.html#clock");
}

void TClockFrm::Exit1Click() {
    close();
}

// ---- tray menu --------------------------------------------------------------

void TClockFrm::ShowMainForm1Click() {
    ShowMainWindow();
}

void TClockFrm::ShowTickwellsWindow1Click() {
    ShowDueWindow();
}

void TClockFrm::ShowCalendar1Click() {
    RunClockCommand(&TClockLinks::ShowCalendar);
}

void TClockFrm::DesktopClock1Click() {
    setVisible(DesktopClock1->isChecked());
}

void TClockFrm::SuspendSchedule1Click() {
    if (!SuspendedFlag) {
        SuspendedFlag = true;
        SuspendSchedule1->setText("Res&ume");
        FreeAlarms();
        TrayIcon1->setIcon(TrayImage(true));
        Timer1->Stop();
        if (NoTray) {
            // Still the only way in: it stays, saying why it stands still.
            Clock->setText(kSuspendedText);
        } else {
            if (DesktopClock1->isChecked()) {
                DesktopClock1->setChecked(false);
                hide();
            }
            DesktopClock1->setEnabled(false);
        }
        return;
    }
    SuspendedFlag = false;
    SuspendSchedule1->setText("Sus&pend");
    SetupAlarms();
    TrayIcon1->setIcon(TrayImage(false));
    Timer1->Start();
    DesktopClock1->setEnabled(!NoTray);
    Timer1Timer();
}

void TClockFrm::Options1Click() {
    RunClockCommand(&TClockLinks::ShowOptions);
}

void TClockFrm::Schedule1Click() {
    RunClockCommand(&TClockLinks::ShowSchedule);
}

void TClockFrm::HelpContents1Click() {
    ShowHelpContents();
}

void TClockFrm::About1Click() {
    TAboutDlg dlg;
    dlg.exec();
}

bool TClockFrm::OpenTrayStartWindows() {
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
        ShowMainWindow();
        opened = true;
    }
    if ((windows & swClock) && !SuspendedFlag) {
        DesktopClock1->setChecked(true);
        show();
        raise();
        opened = true;
    }
    return opened;
}
