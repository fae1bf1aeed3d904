#include "ui/FrmCal.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "core/EventsByDay.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "platform/QtMessages.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "ui/CalCellText.h"
#include "ui/CalDueList.h"
#include "ui/CalWeekPage.h"
#include "ui/ClockCommands.h"
#include "ui/EventBookSignals.h"
#include "ui/EventListView.h"
#include "ui/MyCal.h"
#include "ui/ReadOnlyCommands.h"
#include "ui/ScreenFit.h"
#include "ui/SettingsSignals.h"
#include "ui/Theme.h"
#include "ui/ToolbarArt.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QActionGroup>
#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

TCalFrm* CalFrm = nullptr;

namespace {

constexpr int kWeekPage = 0;
constexpr int kMonthPage = 1;
// The most lines a day's tooltip lists.
constexpr int kTipLines = 40;
constexpr std::uint32_t kRed = 0x000000FFu;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The classic default font does not exist here: it stands for the desktop's
// own. Any other name is the user's choice and is kept.
QString FamilyOf(const std::string& stored) {
    return stored.empty() || stored == kCalFontName.Default ? QApplication::font().family()
                                                            : Q(stored);
}

// The name to store for a font: the name as read while the family is still
// the one it gave, so the desktop's font stays the desktop's.
std::string NameToStore(const QFont& font, const std::string& asRead) {
    return font.family() == FamilyOf(asRead) ? asRead : font.family().toStdString();
}

QToolButton* ArrowButton(QWidget* parent, QStyle::StandardPixmap arrow, const QString& hint,
                         const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(arrow));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setStatusTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

// ---- creation -------------------------------------------------------------

TCalFrm::TCalFrm(TEventBookSignals& events, QWidget* parent)
    : QMainWindow(parent), Events(events), Book(events.Book()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("CalFrm"));
    setWindowTitle(tr("Tickwell Calendar"));
    setMinimumSize(500, 450);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    auto* central = new QWidget;
    auto* root = new QVBoxLayout(central);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    CreateHeaderBar(central);
    root->addWidget(HeaderBar);
    PaneSplitter = new QSplitter(Qt::Horizontal);
    PaneSplitter->setObjectName(QStringLiteral("PaneSplitter"));
    PaneSplitter->setChildrenCollapsible(false);
    root->addWidget(PaneSplitter, 1);
    setCentralWidget(central);
    CreatePages();
    CreateSidePanel();
    CreateStatusBar();
    CreatePopupMenus();

    // The colour dialog's first custom colours: the marked days' pale blue
    // and the tooltip yellow of blank cells.
    QColorDialog::setCustomColor(0, QColor(0xF0, 0xFB, 0xFF));
    QColorDialog::setCustomColor(1, QColor(0xFF, 0xFF, 0xE1));
    QFont toolFont = QApplication::font();
    for (const QString& f : QFontDatabase::families())
        if (f.compare(QStringLiteral("tahoma"), Qt::CaseInsensitive) == 0) {
            toolFont.setFamily(f);
            break;
        }
    ToolBar->setFont(toolFont);
    ApplyStartMode();
    ReadSettings();
    HideChoosers();
    Selected = Today();
    Cal->SetBoldMarkedDate(BoldMarkedDateAction->isChecked());

    connect(Cal, &TMyCalendar::DateChange, this, [this](TDateTime d) { CalDateChange(d); });
    connect(DayCal, &TMyCalendar::DateChange, this, [this](TDateTime d) { DayCalDateChange(d); });
    connect(Cal, &TMyCalendar::DoubleClicked, this, [this] { Run([this] { AddBtnClick(); }); });
    Cal->OnDrawCell = [this](QPainter& p, int c, int r, const QRect& rect, unsigned state) {
        CalDrawCell(p, c, r, rect, state);
    };

    CalFrm = this;
    TCalendarWindowLinks& links = CalendarLinks();
    links.Window = this;
    links.SelectedDate = [this] { return Cal->ShownDate(); };
    connect(new TSettingsSignals(this), &TSettingsSignals::changed, this,
            [this](const QString& key) {
                if (TSettingsSignals::Is(key, kSunStartWeek) &&
                    TSettings().Get(kSunStartWeek) != SundayStartAction->isChecked()) {
                    SundayStartAction->setChecked(!SundayStartAction->isChecked());
                    SundayStartClick();
                }
            });
    UpdateLinkedEntries();
    QTimer::singleShot(0, this, [this] { UpdateLinkedEntries(); });
    for (auto notice :
         {&TEventBookSignals::Added, &TEventBookSignals::Changed, &TEventBookSignals::Removed})
        connect(&Events, notice, this, [this] { RefreshCalendar(); });
    connect(&Events, &TEventBookSignals::Reset, this, &TCalFrm::RefreshCalendar);
    connect(&Events, &TEventBookSignals::DueRebuilt, this, &TCalFrm::FillDueEvents);
}

TCalFrm::~TCalFrm() {
    WriteSettings();
    for (auto& column : CellEvents)
        for (auto& cell : column)
            cell.clear();
    if (CalFrm == this)
        CalFrm = nullptr;
    if (CalendarLinks().Window == this)
        CalendarLinks() = TCalendarWindowLinks{};
    LastShownWindow = 0;
}

QAction* TCalFrm::NewAction(const char* name, const QString& caption, const QString& hint,
                            const QKeySequence& key, void (TCalFrm::*handler)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromUtf8(name));
    if (!hint.isEmpty()) {
        a->setStatusTip(hint);
        a->setToolTip(hint);
    }
    if (!key.isEmpty()) {
        a->setShortcut(key);
        addAction(a);
    }
    if (handler)
        connect(a, &QAction::triggered, this,
                [this, handler] { Run([this, handler] { (this->*handler)(); }); });
    return a;
}

void TCalFrm::CreateActions() {
    OptionsAction =
        NewAction("OptionsAction", tr("&Options"), tr("Display the program Options screen"),
                  QKeySequence(Qt::ALT | Qt::Key_O), &TCalFrm::OptionsClick);
    CloseAction =
        NewAction("CloseAction", tr("&Close"), tr("Close the Calendar"), {}, &TCalFrm::CloseClick);
    ExitAction = NewAction("ExitAction", tr("E&xit"), tr("Exit Tickwell"),
                           QKeySequence(Qt::ALT | Qt::Key_F4), &TCalFrm::ExitBtnClick);
    AddEventAction = NewAction("AddEventAction", tr("&Add Event"), tr("Add an Event"),
                               QKeySequence(Qt::ALT | Qt::Key_A), &TCalFrm::AddBtnClick);
    EditEventAction = NewAction("EditEventAction", tr("&Edit Event"), tr("Edit the selected Event"),
                                QKeySequence(Qt::ALT | Qt::Key_E), &TCalFrm::EdBtnClick);
    DeleteEventAction =
        NewAction("DeleteEventAction", tr("&Delete Event"), tr("Delete the selected Event"),
                  QKeySequence(Qt::ALT | Qt::Key_D), &TCalFrm::DelBtnClick);
    MonthlyAction = NewAction("MonthlyAction", tr("&Monthly"), tr("Display the Monthly Calendar"),
                              QKeySequence(Qt::ALT | Qt::Key_M), nullptr);
    WeeklyAction = NewAction("WeeklyAction", tr("&Weekly"), tr("Display the Weekly Calendar"),
                             QKeySequence(Qt::ALT | Qt::Key_W), nullptr);
    auto* views = new QActionGroup(this);
    for (QAction* a : {MonthlyAction, WeeklyAction}) {
        a->setCheckable(true);
        views->addAction(a);
    }
    connect(MonthlyAction, &QAction::triggered, this, [this] {
        if (!MonthShown())
            ShowPage(true);
    });
    connect(WeeklyAction, &QAction::triggered, this, [this] {
        if (MonthShown())
            ShowPage(false);
    });
    WrapTextAction =
        NewAction("WrapTextAction", tr("Wrap &Text"), tr("Toggle word wrap in monthly calendar"),
                  QKeySequence(Qt::CTRL | Qt::Key_T), &TCalFrm::WrapTextClick);
    WrapTextAction->setCheckable(true);
    static const char* const kGoTo[4][3] = {
        {"NextMonthAction", QT_TR_NOOP("&Next Month"), QT_TR_NOOP("Next Month")},
        {"PreviousMonthAction", QT_TR_NOOP("&Previous Month"), QT_TR_NOOP("Previous Month")},
        {"PreviousYearAction", QT_TR_NOOP("Pre&vious Year"), QT_TR_NOOP("Previous Year")},
        {"NextYearAction", QT_TR_NOOP("Next  &Year"), QT_TR_NOOP("Next Year")},
    };
    static const Qt::Key kGoToKeys[4] = {Qt::Key_N, Qt::Key_P, Qt::Key_V, Qt::Key_Y};
    for (int tag = 0; tag < 4; ++tag) {
        GoTo[tag] = NewAction(kGoTo[tag][0], tr(kGoTo[tag][1]), tr(kGoTo[tag][2]),
                              QKeySequence(Qt::CTRL | kGoToKeys[tag]), nullptr);
        connect(GoTo[tag], &QAction::triggered, this,
                [this, tag] { Run([this, tag] { Navigate(tag); }); });
    }
    TodayAction = NewAction("TodayAction", tr("T&oday"), tr("Go to Today"),
                            QKeySequence(Qt::CTRL | Qt::Key_O), &TCalFrm::TodayClick);
    ToolbarAction = NewAction("ToolbarAction", tr("Toolbar"),
                              tr("Toggle display of toolbar on + off"), {}, &TCalFrm::ToolbarClick);
    ToolbarAction->setCheckable(true);
    SundayStartAction = NewAction("SundayStartAction", tr("Sunday Starts Week"), {}, {},
                                  &TCalFrm::SundayStartClick);
    SundayStartAction->setCheckable(true);
    MainWindowAction =
        NewAction("MainWindowAction", tr("&Main Window"), tr("Display the Main Window"),
                  QKeySequence(Qt::CTRL | Qt::Key_M), &TCalFrm::MainWindowClick);
    DueWindowAction =
        NewAction("DueWindowAction", tr("&Tickwells Window"), tr("Display the Tickwells Window"),
                  QKeySequence(Qt::CTRL | Qt::Key_R), &TCalFrm::DueWindowClick);
    CalendarHelpAction = NewAction("CalendarHelpAction", tr("&Calendar Help"), nullptr,
                                   QKeySequence(Qt::Key_F1), &TCalFrm::CalendarHelpClick);
    HelpContentsAction =
        NewAction("HelpContentsAction", tr("&Help Contents"), {}, {}, &TCalFrm::HelpContentsClick);
    AboutAction = NewAction("AboutAction", tr("About"), tr("Display the About Screen"), {},
                            &TCalFrm::AboutClick);

    ViewBtn = NewAction("ViewBtn", tr("&Week"), tr("Select Weekly or Monthly Calendar View"), {},
                        &TCalFrm::ViewBtnClick);
    AddBtn =
        NewAction("AddBtn", tr("&Add"), tr("Add a New Tickwell Event"), {}, &TCalFrm::AddBtnClick);
    EdBtn = NewAction("EdBtn", tr("&Edit"), tr("Edit selected Tickwell Event"), {},
                      &TCalFrm::EdBtnClick);
    DelBtn = NewAction("DelBtn", tr("&Delete"), tr("Delete selected Tickwell Event"), {},
                       &TCalFrm::DelBtnClick);
    ExitBtn = NewAction("ExitBtn", tr("E&xit"), tr("Exit Tickwell"), {}, &TCalFrm::ExitBtnClick);
    OptionBtn = NewAction("OptionBtn", tr("&Options"), tr("Display the Program Options Screen"), {},
                          &TCalFrm::OptionsClick);
    CloseBtn =
        NewAction("CloseBtn", tr("&Close"), tr("Close the Calendar"), {}, &TCalFrm::CloseClick);
    AddBtn->setIcon(ToolbarIcon(TToolPicture::Add));
    EdBtn->setIcon(ToolbarIcon(TToolPicture::Edit));
    DelBtn->setIcon(ToolbarIcon(TToolPicture::Delete));
    ExitBtn->setIcon(ToolbarIcon(TToolPicture::Exit));
    OptionBtn->setIcon(ToolbarIcon(TToolPicture::Options));
    CloseBtn->setIcon(ToolbarIcon(TToolPicture::Close));
    MarkAsChangingEvents(
        {AddEventAction, EditEventAction, DeleteEventAction, AddBtn, EdBtn, DelBtn});
}

void TCalFrm::CreateMenus() {
    // The menu titles' access keys keep clear of the entries' Alt shortcuts
    // (Alt+E edits, Alt+W shows the week).
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addActions({OptionsAction, CloseAction, ExitAction});
    QMenu* events = menuBar()->addMenu(tr("Even&ts"));
    events->setObjectName(QStringLiteral("EventsMenu"));
    events->addActions({AddEventAction, EditEventAction, DeleteEventAction});
    QMenu* calendar = menuBar()->addMenu(tr("&Calendar"));
    calendar->setObjectName(QStringLiteral("CalendarMenu"));
    calendar->addActions({MonthlyAction, WeeklyAction, WrapTextAction});
    QMenu* go = calendar->addMenu(tr("&Go To"));
    go->setObjectName(QStringLiteral("GoToMenu"));
    go->addActions({GoTo[0], GoTo[1], GoTo[2], GoTo[3], TodayAction});
    calendar->addSeparator();
    calendar->addActions({ToolbarAction, SundayStartAction});
    QMenu* window = menuBar()->addMenu(tr("W&indow"));
    window->setObjectName(QStringLiteral("WindowMenu"));
    window->addActions({MainWindowAction, DueWindowAction});
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addActions({CalendarHelpAction, HelpContentsAction, AboutAction});
    for (QMenu* m : {file, window})
        connect(m, &QMenu::aboutToShow, this, [this] { UpdateLinkedEntries(); });
}

void TCalFrm::CreateToolBar() {
    ToolBar = new TArtToolBar(tr("Toolbar"), this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    addToolBar(ToolBar);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setIconSize(QSize(24, 24));
    ToolBar->addAction(ViewBtn);
    ToolBar->addSeparator();
    ToolBar->addActions({AddBtn, EdBtn, DelBtn});
    ToolBar->addSeparator();
    ToolBar->addAction(OptionBtn);
    ToolBar->addSeparator();
    ToolBar->addActions({CloseBtn, ExitBtn});
    EdToolButton = qobject_cast<QToolButton*>(ToolBar->widgetForAction(EdBtn));
    DelToolButton = qobject_cast<QToolButton*>(ToolBar->widgetForAction(DelBtn));
    for (QToolButton* b : {EdToolButton, DelToolButton}) {
        b->setPopupMode(QToolButton::InstantPopup);
        b->installEventFilter(this);
    }
}

void TCalFrm::CreateHeaderBar(QWidget* parent) {
    HeaderBar = new QWidget(parent);
    HeaderBar->setObjectName(QStringLiteral("HeaderBar"));
    auto* bar = new QHBoxLayout(HeaderBar);
    bar->setContentsMargins(6, 2, 6, 2);
    PeriodLabel = new QLabel;
    PeriodLabel->setObjectName(QStringLiteral("PeriodLabel"));
    YearLabel = new QLabel;
    YearLabel->setObjectName(QStringLiteral("YearLabel"));
    for (QLabel* l : {PeriodLabel, YearLabel}) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.3);
        l->setFont(f);
        l->setTextFormat(Qt::PlainText);
    }
    // Each pair of arrows sits beside what it steps: the month (or week)
    // on the left, the year on the right.
    QToolButton* previousMonth =
        ArrowButton(HeaderBar, QStyle::SP_ArrowLeft, tr("Previous Month"), "PreviousMonthArrow");
    QToolButton* nextMonth =
        ArrowButton(HeaderBar, QStyle::SP_ArrowRight, tr("Next Month"), "NextMonthArrow");
    QToolButton* previousYear =
        ArrowButton(HeaderBar, QStyle::SP_ArrowLeft, tr("Previous Year"), "PreviousYearArrow");
    QToolButton* nextYear =
        ArrowButton(HeaderBar, QStyle::SP_ArrowRight, tr("Next Year"), "NextYearArrow");
    bar->addWidget(previousMonth);
    bar->addWidget(PeriodLabel);
    bar->addWidget(nextMonth);
    bar->addStretch(1);
    bar->addWidget(previousYear);
    bar->addWidget(YearLabel);
    bar->addWidget(nextYear);
    const std::pair<QToolButton*, int> tags[] = {
        {nextMonth, 0}, {previousMonth, 1}, {previousYear, 2}, {nextYear, 3}};
    for (const auto& [b, tag] : tags)
        connect(b, &QToolButton::clicked, this,
                [this, tag = tag] { Run([this, tag] { Navigate(tag); }); });
}

void TCalFrm::CreatePages() {
    Pages = new QStackedWidget;
    Pages->setObjectName(QStringLiteral("Pages"));
    WeekPage = new TCalWeekPage;
    Cal = new TMarkedCalendar;
    Cal->setObjectName(QStringLiteral("Cal"));
    Cal->SetCenterDate(false);
    Cal->setContextMenuPolicy(Qt::CustomContextMenu);
    Cal->installEventFilter(this);
    Pages->insertWidget(kWeekPage, WeekPage);
    Pages->insertWidget(kMonthPage, Cal);
    PaneSplitter->addWidget(Pages);
    PaneSplitter->setStretchFactor(0, 1);
    for (int day = 1; day <= 7; ++day) {
        QListView* list = WeekPage->List(day);
        list->viewport()->installEventFilter(this);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        WeekPage->Heading(day)->setContextMenuPolicy(Qt::CustomContextMenu);
        for (QWidget* w : {static_cast<QWidget*>(list), WeekPage->Heading(day)})
            connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint& p) {
                PopupOverList = qobject_cast<QListView*>(w) != nullptr;
                WeekPopShowing();
                WeekPop->exec(w->mapToGlobal(p));
            });
    }
}

void TCalFrm::CreateSidePanel() {
    SidePanel = new QWidget;
    SidePanel->setObjectName(QStringLiteral("SidePanel"));
    auto* side = new QVBoxLayout(SidePanel);
    side->setContentsMargins(2, 0, 0, 0);
    DayCal = new TMarkedCalendar;
    DayCal->setObjectName(QStringLiteral("DayCal"));
    DayCal->SetCenterDate(true);
    DayCal->SetTwoDigitDay(true);
    DayCal->SetBoldMarkedDate(false);
    DayCal->SetMarkedBrushColor(kClNone);
    DayCal->setFixedHeight(DayCal->minimumSizeHint().height() + 24);
    side->addWidget(DayCal);
    auto* weekRow = new QHBoxLayout;
    QToolButton* previousWeek =
        ArrowButton(SidePanel, QStyle::SP_ArrowLeft, tr("Previous Week"), "PreviousWeekArrow");
    QToolButton* nextWeek =
        ArrowButton(SidePanel, QStyle::SP_ArrowRight, tr("Next Week"), "NextWeekArrow");
    previousWeek->setText(tr("Previous Week"));
    nextWeek->setText(tr("Next Week"));
    nextWeek->setLayoutDirection(Qt::RightToLeft);
    for (QToolButton* b : {previousWeek, nextWeek})
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    weekRow->addWidget(previousWeek);
    weekRow->addStretch(1);
    weekRow->addWidget(nextWeek);
    side->addLayout(weekRow);
    connect(previousWeek, &QToolButton::clicked, this,
            [this] { Run([this] { PreviousWeekClick(); }); });
    connect(nextWeek, &QToolButton::clicked, this, [this] { Run([this] { NextWeekClick(); }); });
    DueEvents = new TCalDueList(SidePanel);
    side->addWidget(DueEvents->View(), 1);
    DueEvents->View()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DueEvents, &TCalDueList::DoubleClicked, this,
            [this] { Run([this] { CalListViewDblClick(); }); });
    PaneSplitter->addWidget(SidePanel);
    PaneSplitter->setStretchFactor(1, 0);
}

void TCalFrm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    const int widths[2] = {150, 100};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel;
        StatusPanels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        StatusPanels[i]->setFrameShape(QFrame::Panel);
        StatusPanels[i]->setFrameShadow(QFrame::Sunken);
        StatusPanels[i]->setTextFormat(Qt::PlainText);
        if (i < 2)
            StatusPanels[i]->setMinimumWidth(widths[i]);
        bar->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
    }
}

void TCalFrm::CreatePopupMenus() {
    MonthPop = new QMenu(this);
    MonthPop->setObjectName(QStringLiteral("MonthPop"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption,
                       void (TCalFrm::*handler)()) {
        QAction* a = NewAction(name, caption, {}, {}, handler);
        menu->addAction(a);
        return a;
    };
    item(MonthPop, "CalendarFontAction", tr("Calendar Font..."), &TCalFrm::CalendarFontClick);
    item(MonthPop, "EventTextColourAction", tr("Event Text Colour..."),
         &TCalFrm::EventTextColourClick);
    item(MonthPop, "MarkedDayColourAction", tr("Marked Day Background Colour..."),
         &TCalFrm::MarkedDayColourClick);
    item(MonthPop, "MarkedDateColourAction", tr("Marked Date Font Colour..."),
         &TCalFrm::MarkedDateColourClick);
    item(MonthPop, "BlankCellColourAction", tr("Blank Cell Colour..."),
         &TCalFrm::BlankCellColourClick);
    MonthPop->addSeparator();
    item(MonthPop, "ResetDefaultsAction", tr("Reset Defaults"), &TCalFrm::ResetDefaultsClick);
    BoldMarkedDateAction = item(MonthPop, "BoldMarkedDateAction", tr("Bold Marked Date"),
                                &TCalFrm::BoldMarkedDateClick);
    BoldMarkedDateAction->setCheckable(true);
    connect(Cal, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { MonthPop->exec(Cal->mapToGlobal(p)); });

    WeekPop = new QMenu(this);
    WeekPop->setObjectName(QStringLiteral("WeekPop"));
    WeekEditAction = item(WeekPop, "WeekEditAction", tr("Edit"), &TCalFrm::WeekEditClick);
    WeekDeleteAction = item(WeekPop, "WeekDeleteAction", tr("Delete"), &TCalFrm::WeekDeleteClick);
    WeekPop->addSeparator();
    item(WeekPop, "WeekFontAction", tr("Font..."), &TCalFrm::WeekFontClick);
    item(WeekPop, "WeekTextColourAction", tr("Text Colour..."), &TCalFrm::WeekTextColourClick);

    DuePop = new QMenu(this);
    DuePop->setObjectName(QStringLiteral("DuePop"));
    MarkAsChangingEvents({item(DuePop, "DueEditAction", tr("Edit"), &TCalFrm::CalListViewDblClick),
                          item(DuePop, "DueDeleteAction", tr("Delete"), &TCalFrm::DueDeleteClick)});
    DuePop->addSeparator();
    MarkAsChangingEvents(
        {item(DuePop, "AcknowledgeAction", tr("Acknowledge"), &TCalFrm::AcknowledgeClick)});
    QTreeView* due = DueEvents->View();
    connect(due, &QWidget::customContextMenuRequested, this,
            [this, due](const QPoint& p) { DuePop->exec(due->viewport()->mapToGlobal(p)); });

    // The choosers: one entry per event of the day, and a last one saying
    // how many more there are.
    EditMnu = new QMenu(this);
    EditMnu->setObjectName(QStringLiteral("EditMnu"));
    DelMnu = new QMenu(this);
    DelMnu->setObjectName(QStringLiteral("DelMnu"));
    for (QMenu* chooser : {EditMnu, DelMnu}) {
        const bool edit = chooser == EditMnu;
        for (int i = 0; i <= kChooserEntries; ++i) {
            QAction* a = chooser->addAction(QString());
            if (i == kChooserEntries) {
                a->setEnabled(false);
                continue;
            }
            // Run once the menu and the button that dropped it have let go.
            connect(a, &QAction::triggered, this, [this, a, edit] {
                QTimer::singleShot(0, this, [this, a, edit] {
                    Run([this, a, edit] { ChooserEntryClick(a, edit); });
                });
            });
        }
    }
}

void TCalFrm::ApplyStartMode() {
    if (StartMode != smCalendar)
        return;
    // This window is the application's main window: Close ends the program.
    ExitAction->setVisible(false);
    ExitBtn->setVisible(false);
    CloseAction->setText(tr("E&xit"));
    CloseAction->setStatusTip(ExitAction->statusTip());
    CloseBtn->setText(tr("E&xit"));
    CloseBtn->setStatusTip(tr("Close the Calendar"));
    CloseBtn->setToolTip(tr("Close the Calendar"));
    CloseBtn->setIcon(ExitBtn->icon());
}

void TCalFrm::ReadSettings() {
    const TWinRegistry reg;
    const bool sunday = ReadSetting(reg, kSunStartWeek);
    SetWeekStart(sunday);
    SundayStartAction->setChecked(sunday);
    const int h = ReadSetting(reg, kFormsHc);
    const int w = ReadSetting(reg, kFormsWc);
    ApplyStoredSize(this, QSize(w, h), QSize(kFormsWc.Default, kFormsHc.Default));
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
    ToolbarAction->setChecked(ReadSetting(reg, kCalToolbar));
    WrapTextAction->setChecked(ReadSetting(reg, kCalWrap));
    ToolBar->setVisible(ToolbarAction->isChecked());
    BoldMarkedDateAction->setChecked(ReadSetting(reg, kCalBoldMarkedDate));
    Cal->SetBlankCellColor(ReadSetting(reg, kCalBlankCell));
    Cal->SetMarkedBrushColor(ReadSetting(reg, kCalMarkedBrushColor));
    Cal->SetMarkedPenColor(ReadSetting(reg, kCalMarkedPenColor));
    CalFontName = ReadSetting(reg, kCalFontName);
    QFont calFont = QApplication::font();
    calFont.setFamily(FamilyOf(CalFontName));
    const int size = ReadSetting(reg, kCalFontSize);
    if (size > 0)
        calFont.setPointSize(size);
    Cal->setFont(calFont);
    Cal->SetFontColor(ReadSetting(reg, kCalFontColor));
    ListColour = ReadSetting(reg, kCalLBFontColor);
    WeekPage->SetListColour(StoredColour(ListColour, palette()));
    ListFontName = ReadSetting(reg, kCalLBFontName);
    QFont listFont = QApplication::font();
    listFont.setFamily(FamilyOf(ListFontName));
    WeekPage->SetListFont(listFont);
    HeadingFontName = ReadSetting(reg, kCalDTFontName);
    WeekPage->SetHeadingFamily(FamilyOf(HeadingFontName));
    DayLabelColour = ReadSetting(reg, kCalDTFontColor);
    for (QLabel* l : {PeriodLabel, YearLabel}) {
        QFont f = l->font();
        f.setFamily(FamilyOf(HeadingFontName));
        l->setFont(f);
    }
    ShowPage(ReadSetting(reg, kCalMonth));
}

void TCalFrm::WriteSettings() const {
    TWinRegistry reg;
    const QSize size = SizeToStore(this);
    WriteSetting(reg, kFormsHc, size.height());
    WriteSetting(reg, kFormsWc, size.width());
    WriteSetting(reg, kCalMonth, MonthlyAction->isChecked());
    WriteSetting(reg, kCalWrap, WrapTextAction->isChecked());
    WriteSetting(reg, kSunStartWeek, SundayStartAction->isChecked());
    WriteSetting(reg, kCalToolbar, ToolbarAction->isChecked());
    WriteSetting(reg, kCalBoldMarkedDate, BoldMarkedDateAction->isChecked());
    WriteSetting(reg, kCalFontName, NameToStore(Cal->font(), CalFontName));
    WriteSetting(reg, kCalFontSize, Cal->font().pointSize());
    WriteSetting(reg, kCalFontColor, Cal->FontColor());
    WriteSetting(reg, kCalBlankCell, Cal->BlankCellColor());
    WriteSetting(reg, kCalMarkedBrushColor, Cal->MarkedBrushColor());
    WriteSetting(reg, kCalMarkedPenColor, Cal->MarkedPenColor());
    WriteSetting(reg, kCalLBFontColor, ListColour);
    WriteSetting(reg, kCalDTFontColor, DayLabelColour);
    WriteSetting(reg, kCalLBFontName, NameToStore(WeekPage->List(1)->font(), ListFontName));
    WriteSetting(reg, kCalDTFontName, NameToStore(WeekPage->DayNumber(1)->font(), HeadingFontName));
}

void TCalFrm::UpdateLinkedEntries() {
    EnableForClockCommand({MainWindowAction}, &TClockLinks::ShowMainWindow);
    EnableForClockCommand({DueWindowAction}, &TClockLinks::ShowDueWindow);
    EnableForClockCommand({OptionsAction, OptionBtn}, &TClockLinks::ShowOptions);
}

void TCalFrm::Run(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        ShowMsg(e.what(), mkError);
    }
}

// ---- refresh ----------------------------------------------------------------

void TCalFrm::RefreshCalendar() {
    MarkMonth();
    // The headings again too: after a change of day another one is today.
    SetupWeek();
    FillWeek();
    FillDueEvents();
    // A change of week start counts the weeks anew.
    ShowWeekNumber();
}

void TCalFrm::MarkMonth() {
    for (int c = 0; c < 7; ++c)
        for (int r = 0; r < 7; ++r) {
            Cal->SetMark(c, r, false);
            DayCal->SetMark(c, r, false);
            CellEvents[static_cast<size_t>(c)][static_cast<size_t>(r)].clear();
        }
    const int year = Cal->DatePart(1);
    const int month = Cal->DatePart(2);
    const int days = Cal->MonthLength(year, month);
    std::vector<std::vector<TTickwellItem*>> byDay =
        EventsByDay(Book.MasterList, EncodeDate(year, month, 1), days);
    for (int day = 1; day <= days; ++day) {
        std::vector<TTickwellItem*>& events = byDay[static_cast<size_t>(day - 1)];
        if (events.empty())
            continue;
        const int offset = day - Cal->FirstCellDay();
        const int c = offset % 7;
        const int r = offset / 7 + 1;
        Cal->SetMark(c, r, true);
        DayCal->SetMark(c, r, true);
        CellEvents[static_cast<size_t>(c)][static_cast<size_t>(r)] = std::move(events);
    }
    Cal->update();
    DayCal->update();
}

void TCalFrm::FillWeek() {
    std::vector<std::vector<TTickwellItem*>> byDay = EventsByDay(Book.MasterList, WeekDays[1], 7);
    for (int day = 1; day <= 7; ++day)
        WeekPage->Model(day)->SetEvents(std::move(byDay[static_cast<size_t>(day - 1)]));
}

void TCalFrm::FillDueEvents() {
    DueEvents->Fill(Book.DueList);
}

void TCalFrm::SetupWeek() {
    // The week page runs from the week start the grids use, so that its days
    // are the navigator's row of the selected day.
    const int back = (DayOfWeek(Selected) - 1 - WeekNumberFirstDay + 7) % 7;
    for (int i = 1; i <= 7; ++i)
        WeekDays[static_cast<size_t>(i)] = DateOf(Selected) - back + i - 1;
    const TDateTime today = DateOf(Today());
    for (int day = 1; day <= 7; ++day) {
        WeekPage->Model(day)->SetEvents({});
        const TDateTime d = WeekDays[static_cast<size_t>(day)];
        const QColor background = WeekPage->Heading(day)->palette().color(QPalette::Button);
        const QColor colour =
            TextColourOn(StoredColour(d == today ? kRed : DayLabelColour, palette()), background);
        WeekPage->SetHeading(day, Q(FormatDateTime("dd", d)), Q(FormatDateTime("dddd", d)), colour);
    }
    if (WeeklyAction->isChecked())
        PeriodLabel->setText(WeekCaption());
}

void TCalFrm::SetWeekStart(bool sunday) {
    const int first = sunday ? 0 : 1;
    Cal->SetStartOfWeek(first);
    DayCal->SetStartOfWeek(first);
    WeekNumberFirstDay = first;
}

bool TCalFrm::SundayStartsWeek() const {
    return SundayStartAction->isChecked();
}

// ---- views and captions -----------------------------------------------------

bool TCalFrm::MonthShown() const {
    return Pages->currentIndex() == kMonthPage;
}

void TCalFrm::ShowPage(bool month) {
    MonthlyAction->setChecked(month);
    WeeklyAction->setChecked(!month);
    UpdateCaptions();
    Pages->setCurrentIndex(month ? kMonthPage : kWeekPage);
    PageChanged();
}

void TCalFrm::PageChanged() {
    const bool month = MonthShown();
    WrapTextAction->setEnabled(month);
    SidePanel->setVisible(!month);
    ViewBtn->setText(month ? tr("&Week") : tr("&Month"));
    ViewBtn->setIcon(ToolbarIcon(month ? TToolPicture::Week : TToolPicture::Month));
    if (!month && PaneSplitter->sizes().value(1) <= 0) {
        const int side = std::max(SidePanel->minimumSizeHint().width(), width() * 2 / 5);
        PaneSplitter->setSizes({width() - side, side});
    }
}

void TCalFrm::ViewBtnClick() {
    ShowPage(!MonthShown());
}

QString TCalFrm::WeekCaption() const {
    return Q(FormatDateTime("dd mmmm - ", WeekDays[1]) + FormatDateTime("dd mmmm", WeekDays[7]));
}

void TCalFrm::UpdateCaptions() {
    PeriodLabel->setText(MonthlyAction->isChecked() ? Q(FormatDateTime("mmmm", Selected))
                                                    : WeekCaption());
    YearLabel->setText(Q(FormatDateTime("yyyy", Selected)));
    StatusPanels[0]->setText(Q(FormatDateTime("dd mmmm yyyy", Selected)));
}

void TCalFrm::ShowWeekNumber() {
    StatusPanels[1]->setText(tr("Week %1").arg(WeekOfYear(WeekNumberFirstDay, Selected)));
}

void TCalFrm::CalDateChange(TDateTime d) {
    if (!isVisible())
        return;
    // The navigator's own notice sets the selected date first, so the month
    // is compared with the date as it was before either grid moved.
    const TDateTime before = Selected;
    DayCal->SetShownDate(d);
    if (!SameMonthAndYear(d, before) && !Navigating)
        MarkMonth();
    Selected = d;
    UpdateCaptions();
}

void TCalFrm::DayCalDateChange(TDateTime d) {
    if (!isVisible())
        return;
    Cal->SetShownDate(d);
    Selected = d;
    ShowWeekNumber();
    if (Selected < WeekDays[1] || Selected > WeekDays[7]) {
        SetupWeek();
        FillWeek();
    }
    if (!MonthShown())
        SelectDayInWeek();
}

void TCalFrm::SelectDayInWeek() {
    WeekPage->ClearSelections();
    const int day = static_cast<int>(DateOf(Selected) - WeekDays[1]) + 1;
    if (day < 1 || day > 7)
        return;
    QListView* list = WeekPage->List(day);
    list->setFocus();
    if (WeekPage->Model(day)->rowCount() > 0)
        list->setCurrentIndex(WeekPage->Model(day)->index(0));
}

void TCalFrm::CalDrawCell(QPainter& p, int col, int row, const QRect& rect, unsigned) {
    if (row == 0 || !Cal->Mark(col, row))
        return;
    const std::vector<TTickwellItem*>& events = DayCellEvents(col, row);
    const QFontMetrics fm(Cal->font());
    const int h = fm.height();
    const int maxLines = std::max(0, (rect.height() - 1 - h) / h);
    const TCellLines lines = LayOutCellLines(
        static_cast<int>(events.size()),
        [&events](int k) { return Q(FirstLine(events[static_cast<size_t>(k)]->Description)); },
        Cal->font(), rect.width() - 4, maxLines, WrapTextAction->isChecked());
    int top = rect.top() + 1 + h;
    for (const QString& line : lines.Lines) {
        p.drawText(QRect(rect.left() + 3, top, rect.width() - 4, h), Qt::AlignLeft | Qt::AlignTop,
                   line);
        top += h;
    }
    // No line to spare: the count goes beside the day number.
    if (lines.Hidden > 0 && lines.Lines.isEmpty())
        p.drawText(QRect(rect.left(), rect.top() + 1, rect.width() - 3, h),
                   Qt::AlignRight | Qt::AlignTop, QStringLiteral("+%1").arg(lines.Hidden));
}

bool TCalFrm::ShowCellTip(const QPoint& pos, const QPoint& globalPos) {
    int col = 0, row = 0;
    if (!Cal->CellAt(pos, col, row) || row == 0 || !Cal->Mark(col, row)) {
        QToolTip::hideText();
        return true;
    }
    const std::vector<TTickwellItem*>& events = DayCellEvents(col, row);
    const TDateTime day = EncodeDate(Cal->DatePart(1), Cal->DatePart(2), Cal->CellDay(col, row));
    QStringList lines{Q(FormatDateTime("dddd dd mmmm yyyy", day))};
    const int shown = std::min<int>(kTipLines, static_cast<int>(events.size()));
    for (int k = 0; k < shown; ++k)
        lines << Q(FirstLine(events[static_cast<size_t>(k)]->Description));
    if (static_cast<int>(events.size()) > shown)
        lines << MoreText(static_cast<int>(events.size()) - shown);
    QToolTip::showText(globalPos, lines.join('\n'), Cal, Cal->CellRect(col, row));
    return true;
}

// ---- navigation ---------------------------------------------------------------

void TCalFrm::Navigate(int tag) {
    // One marking at the end: a step across a year passes through a date of
    // another month first.
    struct TFlag {
        bool& F;
        explicit TFlag(bool& f) : F(f) { F = true; }
        ~TFlag() { F = false; }
    };
    {
        const TFlag navigating(Navigating);
        switch (tag) {
        case 0:
            Cal->GoNextMonth();
            break;
        case 1:
            Cal->GoPrevMonth();
            break;
        case 2:
            Cal->GoPrevYear();
            break;
        case 3:
            Cal->GoNextYear();
            break;
        default:
            return;
        }
    }
    MarkMonth();
}

void TCalFrm::TodayClick() {
    DayCal->SetShownDate(Today());
}

void TCalFrm::PreviousWeekClick() {
    DayCal->SetShownDate(DayCal->ShownDate() - 7);
}

void TCalFrm::NextWeekClick() {
    DayCal->SetShownDate(DayCal->ShownDate() + 7);
}

void TCalFrm::SundayStartClick() {
    SetWeekStart(SundayStartAction->isChecked());
    RefreshCalendar();
    TSettings().Set(kSunStartWeek, SundayStartAction->isChecked());
}

void TCalFrm::OptionsClick() {
    // Confirmed, the dialog's week start comes back through the settings.
    RunClockCommand(&TClockLinks::ShowOptions);
}

// ---- window events ------------------------------------------------------------

bool TCalFrm::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::StatusTip:
        // Hints go to the third panel, not over the whole bar.
        StatusPanels[2]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    case QEvent::WindowActivate:
        UpdateLinkedEntries();
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

bool TCalFrm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Cal && e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        return ShowCellTip(help->pos(), help->globalPos());
    }
    if ((watched == EdToolButton || watched == DelToolButton) &&
        e->type() == QEvent::MouseButtonPress) {
        Run([this, watched] {
            if (watched == EdToolButton)
                EdBtnMouseDown();
            else
                DelBtnMouseDown();
        });
        return false;
    }
    if (const int day = WeekPage ? WeekPage->DayOf(watched) : 0) {
        if (e->type() == QEvent::MouseButtonPress) {
            // A day's list: the navigator moves to its day, the other lists
            // let go of their selection.
            Run([this, day] {
                DayCal->SetShownDate(WeekDays[static_cast<size_t>(day)]);
                WeekPage->ClearSelections(day);
            });
        } else if (e->type() == QEvent::MouseButtonDblClick) {
            Run([this] { EdBtnClick(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TCalFrm::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && isMinimized() && StartMode < smCalendar)
        // Not the application's main window: minimising closes it instead.
        QTimer::singleShot(0, this, [this] { close(); });
}

void TCalFrm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (e->spontaneous() || Shown)
        return;
    Shown = true;
    Run([this] {
        PageChanged();
        SetupWeek();
        UpdateCaptions();
        // The due list as of now, for the side panel.
        Book.Scan();
        RefreshCalendar();
    });
    ++OpenWindowCount;
    UpdateLinkedEntries();
}

void TCalFrm::hideEvent(QHideEvent* e) {
    QMainWindow::hideEvent(e);
    if (e->spontaneous() || !Shown)
        return;
    Shown = false;
    --OpenWindowCount;
}

TCalFrm* ShowCalFrm(TEventBookSignals& events) {
    if (!CalFrm)
        new TCalFrm(events);
    CalFrm->show();
    if (CalFrm->isMinimized())
        CalFrm->showNormal();
    CalFrm->raise();
    CalFrm->activateWindow();
    return CalFrm;
}

QWidget* CreateCalendarWindowForStartup(TEventBookSignals& events) {
    auto* w = new TCalFrm(events);
    w->show();
    return w;
}
