#include "app/FrmClock.h"

#include "app/AppGlobals.h"
#include "app/WindowCommands.h"
#include "ui/FrmEdit.h"
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace {

// A round clock face with two hands.
QIcon ClockIcon() {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 110), 2));
    p.setBrush(QColor(250, 250, 235));
    p.drawEllipse(2, 2, 28, 28);
    p.drawLine(16, 16, 16, 7);
    p.drawLine(16, 16, 23, 16);
    return QIcon(pix);
}

} // namespace

TClockFrm::TClockFrm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), TrayIcon1(new QSystemTrayIcon(this)),
      TrayIconMenu(new QMenu(this)) {
    setObjectName("ClockFrm");
    setWindowTitle("Tickwell");
    ClockFrm = this;

    InstallClockLinks();
    QAction* showMain = TrayIconMenu->addAction("Show Main Window");
    showMain->setObjectName("ShowMainForm1");
    connect(showMain, &QAction::triggered, this, [] { ShowMainWindow(); });
    QAction* showDue = TrayIconMenu->addAction("Show Tickwells Window");
    showDue->setObjectName("ShowTickwellsWindow1");
    connect(showDue, &QAction::triggered, this, [] { ShowDueWindow(); });
    TrayIconMenu->addSeparator();
    // The tray menu stays shut while the event editor is open.
    connect(TrayIconMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : TrayIconMenu->actions())
            a->setEnabled(EditFrm == nullptr);
    });
    connect(TrayIcon1, &QSystemTrayIcon::activated, this,
            [](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    ShowDueWindow();
            });
    QAction* exit1 = TrayIconMenu->addAction("Exit");
    exit1->setObjectName("Exit1");
    connect(exit1, &QAction::triggered, this, &TClockFrm::Exit1Click);
    TrayIcon1->setIcon(ClockIcon());
    TrayIcon1->setToolTip("Tickwell");
    TrayIcon1->setContextMenu(TrayIconMenu);
    if (StartMode == smTray)
        ShowTrayIcon();
}

TClockFrm::~TClockFrm() {
    if (ClockFrm == this)
        ClockFrm = nullptr;
}

void TClockFrm::ShowTrayIcon() {
    TrayIcon1->show();
}

void TClockFrm::Exit1Click() {
    close();
}
