#include "app/TrayIcon.h"

#include "app/TrayArt.h"
#include "ui/ClockCommands.h"
#include "ui/FrmEdit.h"
#include "ui/TickTimer.h"
#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

TTrayIcon::TTrayIcon(std::function<bool()> available, QObject* parent)
    : QObject(parent), Available(std::move(available)), TrayIcon(new QSystemTrayIcon(this)),
      TrayMenu(std::make_unique<QMenu>()), TrayWatch(new TTickTimer(
                                               1000, [this] { FollowTray(); }, this)) {
    MainWindowAction = MenuItem("MainWindowAction", tr("Show Main Window"));
    DueWindowAction = MenuItem("DueWindowAction", tr("Show Tickwells Window"));
    CalendarAction = MenuItem("CalendarAction", tr("Show Calendar"));
    DesktopClockAction = MenuItem("DesktopClockAction", tr("Desktop Clock"));
    DesktopClockAction->setCheckable(true);
    SuspendAction = MenuItem("SuspendAction", tr("Sus&pend"));
    OptionsAction = MenuItem("OptionsAction", tr("Options..."));
    ScheduleAction = MenuItem("ScheduleAction", tr("Schedule..."));
    HelpContentsAction = MenuItem("HelpContentsAction", tr("Help Contents"));
    AboutAction = MenuItem("AboutAction", tr("About"));
    ExitAction = MenuItem("ExitAction", tr("Exit"));

    TrayMenu->setObjectName("TrayMenu");
    TrayMenu->addActions({MainWindowAction, DueWindowAction, CalendarAction, DesktopClockAction});
    TrayMenu->addSeparator();
    TrayMenu->addAction(SuspendAction);
    TrayMenu->addSeparator();
    TrayMenu->addActions({OptionsAction, ScheduleAction});
    TrayMenu->addSeparator();
    TrayMenu->addActions({HelpContentsAction, AboutAction});
    TrayMenu->addSeparator();
    TrayMenu->addAction(ExitAction);
    connect(TrayMenu.get(), &QMenu::aboutToShow, this, &TTrayIcon::UpdateEntries);

    // The hints of the main window's menus are shown by that window's own
    // status bar.
    TrayIcon->setIcon(TrayImage(false));
    TrayIcon->setToolTip("Tickwell");
    TrayIcon->setContextMenu(TrayMenu.get());
}

// The icon first: it refers to the menu.
TTrayIcon::~TTrayIcon() {
    delete TrayIcon;
}

QAction* TTrayIcon::MenuItem(const char* name, const QString& caption) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    return a;
}

QList<QAction*> TTrayIcon::StandInEntries() const {
    QList<QAction*> entries = TrayMenu->actions();
    entries.removeOne(DesktopClockAction);
    return entries;
}

void TTrayIcon::UpdateEntries() {
    const bool editing = EditFrm != nullptr;
    for (QAction* a : TrayMenu->actions())
        a->setEnabled(!editing);
    if (editing)
        return;
    EnableForClockCommand({CalendarAction}, &TClockLinks::ShowCalendar);
    EnableForClockCommand({OptionsAction}, &TClockLinks::ShowOptions);
    EnableForClockCommand({ScheduleAction}, &TClockLinks::ShowSchedule);
    DesktopClockAction->setEnabled(!SuspendedFlag && !NoTray);
}

void TTrayIcon::Show() {
    if (!TrayWatch->IsActive())
        TrayWatch->Start();
    FollowTray();
}

void TTrayIcon::FollowTray() {
    if (!Available()) {
        if (NoTray)
            return;
        NoTray = true;
        TrayIcon->hide();
        if (OnMissing)
            OnMissing();
    } else if (NoTray) {
        NoTray = false;
        TrayIcon->show();
        if (OnBack)
            OnBack();
    } else {
        TrayIcon->show();
    }
}

void TTrayIcon::ShowSuspended(bool suspended) {
    SuspendedFlag = suspended;
    SuspendAction->setText(suspended ? tr("Res&ume") : tr("Sus&pend"));
    TrayIcon->setIcon(TrayImage(suspended));
    DesktopClockAction->setEnabled(!suspended && !NoTray);
}
