#include "app/TrayIcon.h"

#include "app/TrayArt.h"
#include "ui/ClockCommands.h"
#include "ui/FrmEdit.h"
#include "ui/TickTimer.h"
#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

TTrayIcon::TTrayIcon(std::function<bool()> available, QObject* parent)
    : QObject(parent), Available(std::move(available)), TrayIcon1(new QSystemTrayIcon(this)),
      TrayIconMenu(std::make_unique<QMenu>()), TrayWatch(new TTickTimer(
                                                   1000, [this] { FollowTray(); }, this)) {
    ShowMainForm1 = MenuItem("ShowMainForm1", "Show Main Window");
    ShowTickwellsWindow1 = MenuItem("ShowTickwellsWindow1", "Show Tickwells Window");
    ShowCalendar1 = MenuItem("ShowCalendar1", "Show Calendar");
    DesktopClock1 = MenuItem("DesktopClock1", "Desktop Clock");
    DesktopClock1->setCheckable(true);
    SuspendSchedule1 = MenuItem("SuspendSchedule1", "Sus&pend");
    Options1 = MenuItem("Options1", "Options...");
    Schedule1 = MenuItem("Schedule1", "Schedule...");
    HelpContents1 = MenuItem("HelpContents1", "Help Contents");
    About1 = MenuItem("About1", "About");
    Exit1 = MenuItem("Exit1", "Exit");

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
    connect(TrayIconMenu.get(), &QMenu::aboutToShow, this, &TTrayIcon::UpdateEntries);

    // The hints of the main window's menus are shown by that window's own
    // status bar.
    TrayIcon1->setIcon(TrayImage(false));
    TrayIcon1->setToolTip("Tickwell");
    TrayIcon1->setContextMenu(TrayIconMenu.get());
}

// The icon first: it refers to the menu.
TTrayIcon::~TTrayIcon() {
    delete TrayIcon1;
}

QAction* TTrayIcon::MenuItem(const char* name, const char* caption) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    return a;
}

QList<QAction*> TTrayIcon::StandInEntries() const {
    QList<QAction*> entries = TrayIconMenu->actions();
    entries.removeOne(DesktopClock1);
    return entries;
}

void TTrayIcon::UpdateEntries() {
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
        TrayIcon1->hide();
        if (OnMissing)
            OnMissing();
    } else if (NoTray) {
        NoTray = false;
        TrayIcon1->show();
        if (OnBack)
            OnBack();
    } else {
        TrayIcon1->show();
    }
}

void TTrayIcon::ShowSuspended(bool suspended) {
    SuspendedFlag = suspended;
    SuspendSchedule1->setText(suspended ? "Res&ume" : "Sus&pend");
    TrayIcon1->setIcon(TrayImage(suspended));
    DesktopClock1->setEnabled(!suspended && !NoTray);
}
