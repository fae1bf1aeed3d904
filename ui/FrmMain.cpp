#include "ui/FrmMain.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/EventLists.h"
#include "core/MainFilter.h"
#include "core/Messages.h"
#include "ical/ICalExport.h"
#include "ical/ICalImport.h"
#include "platform/Paths.h"
#include "platform/QtMessages.h"
#include "store/BusyCursor.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "ui/ClockCommands.h"
#include "ui/EventBookSignals.h"
#include "ui/EventListView.h"
#include "ui/EventTableModel.h"
#include "ui/FileDialogs.h"
#include "ui/FrmAbt.h"
#include "ui/FrmBakUp.h"
#include "ui/FrmEdit.h"
#include "ui/FrmFind.h"
#include "ui/FrmHelp.h"
#include "ui/FrmPrint.h"
#include "ui/ListViewSettings.h"
#include "ui/ReadOnlyCommands.h"
#include "ui/ScreenFit.h"
#include "ui/SettingsSignals.h"
#include "ui/ToolbarArt.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>
#include <unordered_map>

TMainFrm* MainFrm = nullptr;

namespace {

constexpr int kDetailPaneHeight = 70;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Grid lines between the cells, drawn when switched on (the tree view has no
// grid of its own).
class TGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool Grid = false;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!Grid)
            return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect r = option.rect;
        painter->drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }
};

// The detail pane: read-only text set in by two pixels left and right.
class TDetailPane : public QPlainTextEdit {
public:
    explicit TDetailPane(QWidget* parent) : QPlainTextEdit(parent) {
        setReadOnly(true);
        document()->setDocumentMargin(0);
        setViewportMargins(2, 0, 2, 0);
    }
};

QString DataFolderText() {
    return QString::fromStdString(DataFolder());
}

} // namespace

// ---- creation -------------------------------------------------------------

TMainFrm::TMainFrm(TEventBookSignals& events, QWidget* parent)
    : QMainWindow(parent), Events(events), Book(events.Book()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(tr("Tickwell "));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateCentral();
    CreateStatusBar();

    ZapListAction->setVisible(FirstArgument == "/z");
    QFont toolFont = QApplication::font();
    const QStringList families = QFontDatabase::families();
    for (const QString& f : families)
        if (f.compare(QStringLiteral("tahoma"), Qt::CaseInsensitive) == 0) {
            toolFont.setFamily(f);
            break;
        }
    ToolBar->setFont(toolFont);
    ApplyStartMode();
    ReadSettings();

    MainFrm = this;
    TMainWindowLinks& links = MainLinks();
    links.Window = this;
    links.ShowStatusText = [this](const QString& text) { ShowStatusText(text); };
    connect(&Events, &TEventBookSignals::Added, this, &TMainFrm::FollowChanges);
    connect(&Events, &TEventBookSignals::Changed, this, &TMainFrm::FollowChanges);
    connect(&Events, &TEventBookSignals::Removed, this, &TMainFrm::FollowRemoval);
    connect(&Events, &TEventBookSignals::Reset, this, &TMainFrm::FollowReset);

    connect(new TSettingsSignals(this), &TSettingsSignals::changed, this,
            [this](const QString& key) {
                if (TSettingsSignals::Is(key, kFilterMain))
                    FilterMain->setChecked(TSettings().Get(kFilterMain));
            });
    // The clock window is made after this one at start-up; its commands are
    // looked at again once the event loop runs.
    UpdateLinkedEntries();
    QTimer::singleShot(0, this, [this] { UpdateLinkedEntries(); });
}

TMainFrm::~TMainFrm() {
    WriteSettings();
    ColumnState.reset();
    // The rows' texts are worked out by this window; the view and its model
    // go before the window stops being one, not among its children later.
    delete MainListView;
    delete Rows;
    LastShownWindow = 0;
    if (MainFrm == this)
        MainFrm = nullptr;
    if (MainLinks().Window == this)
        MainLinks() = TMainWindowLinks{};
}

QAction* TMainFrm::NewAction(const char* name, const QString& caption, const QString& hint,
                             void (TMainFrm::*handler)()) {
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromUtf8(name));
    if (!hint.isEmpty())
        a->setStatusTip(hint);
    if (handler)
        connect(a, &QAction::triggered, this,
                [this, handler] { Run([this, handler] { (this->*handler)(); }); });
    return a;
}

void TMainFrm::CreateActions() {
    OptionsAction = NewAction("OptionsAction", tr("&Options..."),
                              tr("Display the Program Options Screen"), &TMainFrm::OptionsBtnClick);
    ExportAction = NewAction("ExportAction", tr("&Export"), tr("Export your data to another file"),
                             &TMainFrm::ExportClick);
    ImportAction = NewAction("ImportAction", tr("&Import"), tr("Import data from a *csv file"),
                             &TMainFrm::ImportClick);
    ExportICalAction = NewAction("ExportICalAction", tr("Export to &iCalendar..."),
                                 tr("Export your events to an iCalendar file for other calendars"),
                                 &TMainFrm::ExportICalClick);
    ImportICalAction = NewAction("ImportICalAction", tr("Import from iC&alendar..."),
                                 tr("Import events from an iCalendar file of another calendar"),
                                 &TMainFrm::ImportICalClick);
    ArchiveAction = NewAction("ArchiveAction", tr("&Archive"),
                              tr("Archive old events to a history file"), &TMainFrm::ArchiveClick);
    CompressAction =
        NewAction("CompressAction", tr("&Compress"), tr("Remove old Events from the Tickwell File"),
                  &TMainFrm::CompressClick);
    ZapListAction = NewAction("ZapListAction", tr("&Zap List"), {}, &TMainFrm::ZapListClick);
    BackupAction = NewAction("BackupAction", tr("&Backup..."), tr("Backup your Tickwell data"),
                             &TMainFrm::BackupClick);
    RestoreAction =
        NewAction("RestoreAction", tr("&Restore..."),
                  tr("Restore your Tickwell data from a backup"), &TMainFrm::RestoreClick);
    MergeAction = NewAction("MergeAction", tr("&Merge"),
                            tr("Merge Tickwell Events from another file"), &TMainFrm::MergeClick);
    PrintAction = NewAction("PrintAction", tr("&Print..."), tr("Print Your Tickwell Events"),
                            &TMainFrm::PrintClick);
    PrintSetupAction = NewAction("PrintSetupAction", tr("Print &Setup..."),
                                 tr("Set up your Printer"), &TMainFrm::PrintSetupClick);
    CloseAction =
        NewAction("CloseAction", tr("C&lose"), tr("Close Main Window"), &TMainFrm::CloseBtnClick);
    ExitAction = NewAction("ExitAction", tr("E&xit"), tr("Exit Tickwell"), &TMainFrm::ExitBtnClick);

    AddEventAction = NewAction("AddEventAction", tr("&Add event..."),
                               tr("Add a New Tickwell Event"), &TMainFrm::AddBtnClick);
    AddEventAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
    EditEventAction = NewAction("EditEventAction", tr("&Edit event..."),
                                tr("Edit the selected Tickwell Event"), &TMainFrm::EditBtnClick);
    EditEventAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_E));
    DeleteEventAction =
        NewAction("DeleteEventAction", tr("&Delete event"),
                  tr("Delete the selected Tickwell Event"), &TMainFrm::DeleteBtnClick);
    DeleteEventAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_D));
    CopyEventAction =
        NewAction("CopyEventAction", tr("&Copy event"), tr("Duplicate the selected Tickwell Event"),
                  &TMainFrm::CopyEventClick);
    CopyEventAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    ClearAckAction = NewAction("ClearAckAction", tr("Clear &Acknowledgement"),
                               tr("Remove Acknowledged status from selected Tickwell Event"),
                               &TMainFrm::ClearAckClick);
    ClearAckAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    FindTextAction = NewAction("FindTextAction", tr("&Find Text..."),
                               tr("Find text in the Tickwell List"), &TMainFrm::FindBtnClick);
    FindTextAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F));

    static const char* const viewCaptions[8] = {
        QT_TR_NOOP("&All"),    QT_TR_NOOP("&Once Only"),      QT_TR_NOOP("&Daily"),
        QT_TR_NOOP("&Weekly"), QT_TR_NOOP("&Monthly - Date"), QT_TR_NOOP("Mo&nthly - Day"),
        QT_TR_NOOP("&Yearly"), QT_TR_NOOP("A&ccounting"),
    };
    static const char* const viewHints[8] = {
        QT_TR_NOOP("View all types of Tickwell Event"),
        QT_TR_NOOP("View only Once Only Events"),
        QT_TR_NOOP("View only Daily Events"),
        QT_TR_NOOP("View only Weekly Events"),
        QT_TR_NOOP("View only Monthly - Date Events"),
        QT_TR_NOOP("View only Monthly - Day Events"),
        QT_TR_NOOP("View only Yearly Events"),
        QT_TR_NOOP("View only English Quarterly Accounting Events"),
    };
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (int tag = 0; tag < 8; ++tag) {
        const QString name = QStringLiteral("View%1").arg(tag);
        QAction* a = NewAction(name.toUtf8().constData(), tr(viewCaptions[tag]), tr(viewHints[tag]),
                               nullptr);
        a->setCheckable(true);
        a->setChecked(tag == 0);
        a->setData(tag);
        a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + tag)));
        group->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, tag] { Run([this, tag] { ViewMenuClick(tag); }); });
        ViewItems[tag] = a;
    }
    DetailPaneAction = NewAction("DetailPaneAction", tr("Event Detail &Pane"),
                                 tr("Toggle Event Detail Pane on or off"), nullptr);
    DetailPaneAction->setCheckable(true);
    connect(DetailPaneAction, &QAction::toggled, this, [this](bool on) {
        ShowDetailPane(on);
        if (on)
            MainListViewClick();
    });
    FilterMain =
        NewAction("FilterMain", tr("&Filter Old Events"), tr("Filter Old Events"), nullptr);
    FilterMain->setCheckable(true);
    connect(FilterMain, &QAction::toggled, this, [this](bool on) {
        TSettings().Set(kFilterMain, on);
        Run([this] {
            FillListViewMain(Filter);
            UpdateStatusBar();
        });
    });

    DueWindowAction = NewAction("DueWindowAction", tr("&Tickwells Window"),
                                tr("Display any Due Tickwell Events"), &TMainFrm::DueBtnClick);
    DueWindowAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    CalendarAction = NewAction("CalendarAction", tr("Ca&lendar"), tr("Display the Calendar"),
                               &TMainFrm::CalBtnClick);
    CalendarAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    HelpContentsAction =
        NewAction("HelpContentsAction", tr("&Contents"), tr("Display the Help Contents Screen"),
                  &TMainFrm::HelpContentsClick);
    HelpContentsAction->setShortcut(QKeySequence(Qt::Key_F1));
    AboutAction = NewAction("AboutAction", tr("&About..."), tr("Display the About Screen"),
                            &TMainFrm::AboutClick);

    PopAdd = NewAction("PopAdd", tr("&Add an Event"), tr("Add a New Tickwell Event"),
                       &TMainFrm::AddBtnClick);
    PopEdit = NewAction("PopEdit", tr("&Edit selected Event"),
                        tr("Edit the selected Tickwell Event"), &TMainFrm::EditBtnClick);
    PopDelete = NewAction("PopDelete", tr("&Delete selected Event"),
                          tr("Delete the selected Tickwell Event"), &TMainFrm::DeleteBtnClick);
    PopCopy = NewAction("PopCopy", tr("&Copy selected Event"),
                        tr("Duplicate the selected Tickwell Event"), &TMainFrm::CopyEventClick);
    PopClearAck = NewAction("PopClearAck", tr("Clear Ac&knowledgement"),
                            tr("Remove Acknowledged status from selected Tickwell Event"),
                            &TMainFrm::ClearAckClick);
    FullRowSelectAction = NewAction("FullRowSelectAction", tr("Full Row Select"), {}, nullptr);
    FullRowSelectAction->setCheckable(true);
    connect(FullRowSelectAction, &QAction::toggled, this, [this](bool on) {
        MainListView->setSelectionBehavior(on ? QAbstractItemView::SelectRows
                                              : QAbstractItemView::SelectItems);
        const QModelIndex current = MainListView->currentIndex();
        if (current.isValid()) {
            // Re-select so the new style shows at once.
            MainListView->clearSelection();
            MainListView->selectionModel()->select(current, QItemSelectionModel::Select |
                                                                QItemSelectionModel::Rows);
        }
        MainListView->viewport()->update();
    });
    GridlinesAction = NewAction("GridlinesAction", tr("Show Gridlines"), {}, nullptr);
    GridlinesAction->setCheckable(true);
    connect(GridlinesAction, &QAction::toggled, this, [this](bool on) {
        if (auto* d = dynamic_cast<TGridDelegate*>(MainListView->itemDelegate()))
            d->Grid = on;
        MainListView->viewport()->update();
    });

    // Toolbar buttons, their hints copied from the menu entries.
    auto button = [this](const char* name, const QString& caption, QAction* menuEntry,
                         TToolPicture picture) {
        auto* a = new QAction(ToolbarIcon(picture), caption, this);
        a->setObjectName(QString::fromUtf8(name));
        a->setStatusTip(menuEntry->statusTip());
        a->setToolTip(menuEntry->statusTip());
        connect(a, &QAction::triggered, menuEntry, &QAction::trigger);
        return a;
    };
    AddBtn = button("AddBtn", tr("&Add"), AddEventAction, TToolPicture::Add);
    EditBtn = button("EditBtn", tr("&Edit"), EditEventAction, TToolPicture::Edit);
    DeleteBtn = button("DeleteBtn", tr("&Delete"), DeleteEventAction, TToolPicture::Delete);
    FindBtn = button("FindBtn", tr("&Find"), FindTextAction, TToolPicture::Find);
    DueBtn = button("DueBtn", tr("D&ue"), DueWindowAction, TToolPicture::Due);
    CalBtn = button("CalBtn", tr("&Cal"), CalendarAction, TToolPicture::Calendar);
    OptionsBtn = button("OptionsBtn", tr("&Options"), OptionsAction, TToolPicture::Options);
    CloseBtn = button("CloseBtn", tr("&Close"), CloseAction, TToolPicture::Close);
    ExitBtn = button("ExitBtn", tr("E&xit"), ExitAction, TToolPicture::Exit);
    MarkAsChangingEvents(
        {AddEventAction, EditEventAction, DeleteEventAction, CopyEventAction, ClearAckAction,
         PopAdd,         PopEdit,         PopDelete,         PopCopy,         PopClearAck,
         AddBtn,         EditBtn,         DeleteBtn,         ImportAction,    ImportICalAction,
         ArchiveAction,  CompressAction,  ZapListAction,     RestoreAction,   MergeAction});
}

void TMainFrm::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("Fi&le"));
    file->setObjectName(QStringLiteral("FileMenu"));
    file->addAction(OptionsAction);
    file->addSeparator();
    file->addAction(ExportAction);
    file->addAction(ImportAction);
    file->addAction(ExportICalAction);
    file->addAction(ImportICalAction);
    file->addSeparator();
    file->addAction(ArchiveAction);
    file->addAction(CompressAction);
    file->addAction(ZapListAction);
    file->addSeparator();
    file->addAction(BackupAction);
    file->addAction(RestoreAction);
    file->addAction(MergeAction);
    file->addSeparator();
    file->addAction(PrintAction);
    file->addAction(PrintSetupAction);
    file->addSeparator();
    file->addAction(CloseAction);
    file->addAction(ExitAction);
    connect(file, &QMenu::aboutToShow, this, [this] { UpdateLinkedEntries(); });

    QMenu* events = menuBar()->addMenu(tr("Even&ts"));
    events->setObjectName(QStringLiteral("EventsMenu"));
    events->addAction(AddEventAction);
    events->addAction(EditEventAction);
    events->addAction(DeleteEventAction);
    events->addAction(CopyEventAction);
    events->addAction(ClearAckAction);
    events->addSeparator();
    events->addAction(FindTextAction);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("ViewMenu"));
    for (QAction* a : ViewItems)
        view->addAction(a);
    view->addSeparator();
    view->addAction(DetailPaneAction);
    view->addAction(FilterMain);

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->setObjectName(QStringLiteral("WindowMenu"));
    window->addAction(DueWindowAction);
    window->addAction(CalendarAction);
    connect(window, &QMenu::aboutToShow, this, [this] { UpdateLinkedEntries(); });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->addAction(HelpContentsAction);
    help->addAction(AboutAction);
}

void TMainFrm::CreateToolBar() {
    ToolBar = new TArtToolBar(tr("Toolbar"), this);
    addToolBar(ToolBar);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar->setIconSize(QSize(24, 24));
    for (QAction* a : {AddBtn, EditBtn, DeleteBtn, FindBtn})
        ToolBar->addAction(a);
    ToolBar->addSeparator();
    for (QAction* a : {DueBtn, CalBtn, OptionsBtn})
        ToolBar->addAction(a);
    ToolBar->addSeparator();
    ToolBar->addAction(CloseBtn);
    ToolBar->addAction(ExitBtn);
}

void TMainFrm::CreateCentral() {
    // Date-like columns sort by their value, not their text.
    auto date = [](TDateTime TTickwellItem::*field) {
        return [field](const TTickwellItem& e) { return e.*field; };
    };
    auto text = [](std::string (TTickwellItem::*accessor)() const) {
        return [accessor](const TTickwellItem& e) { return Q((e.*accessor)()); };
    };
    Rows = new TEventTableModel(
        {DescriptionColumn(tr("Event Description")),
         SortedByNumber(tr("Date"), text(&TTickwellItem::NextDateText),
                        date(&TTickwellItem::NextDate)),
         SortedByNumber(
             tr("When"), [this](const TTickwellItem& e) { return Q(e.DaysToNextText(ListDay)); },
             date(&TTickwellItem::NextDate)),
         TypeColumn(tr("Type")),
         SortedByNumber(tr("Interval"), text(&TTickwellItem::IntervalText),
                        [](const TTickwellItem& e) { return static_cast<double>(e.Interval); }),
         SortedByNumber(tr("Last Acknowledged"), text(&TTickwellItem::AckDateText),
                        date(&TTickwellItem::AckDate))},
        this);
    MainListView = new TEventListView(Rows);
    MainListView->setObjectName(QStringLiteral("MainListView"));
    MainListView->setItemDelegate(new TGridDelegate(MainListView));
    MainListView->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QAction* a : {PopAdd, PopEdit, PopDelete, PopCopy, PopClearAck})
        MainListView->addAction(a);
    auto* sep = new QAction(this);
    sep->setSeparator(true);
    MainListView->addAction(sep);
    MainListView->addAction(FullRowSelectAction);
    MainListView->addAction(GridlinesAction);
    MainListView->installEventFilter(this);
    connect(MainListView, &QAbstractItemView::doubleClicked, this,
            [this] { Run([this] { EditBtnClick(); }); });
    connect(MainListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { MainListViewClick(); });
    // A freed event's row goes by itself (many at once go in one reset);
    // the count follows whatever comes or goes, also when the save after
    // an add fails.
    connect(Rows, &QAbstractItemModel::rowsInserted, this, [this] { UpdateStatusBar(); });
    connect(Rows, &QAbstractItemModel::rowsRemoved, this, [this] { UpdateStatusBar(); });
    connect(Rows, &QAbstractItemModel::modelReset, this, [this] { UpdateStatusBar(); });
    ColumnState = std::make_unique<TListViewState>(MainListView, kMainListKey);
    QStringList dates, types{ShownTypeName(true, 0)};
    for (int month = 1; month <= 12; ++month)
        dates << Q(DateToStr(EncodeDate(2000, month, 28)));
    for (int type = etDaily; type <= etAccounting; ++type)
        types << ShownTypeName(false, type);
    ColumnState->SetBuiltInWidths(
        {std::max(180, ColumnWidthFor(MainListView, 0, {})), ColumnWidthFor(MainListView, 1, dates),
         ColumnWidthFor(MainListView, 2, {"-9999"}), ColumnWidthFor(MainListView, 3, types),
         ColumnWidthFor(MainListView, 4, {"300"}), ColumnWidthFor(MainListView, 5, dates)},
        0);

    DetailText = new TDetailPane(nullptr);
    DetailText->setObjectName(QStringLiteral("DetailText"));

    PaneSplitter = new QSplitter(Qt::Vertical);
    PaneSplitter->setObjectName(QStringLiteral("PaneSplitter"));
    PaneSplitter->setHandleWidth(2);
    PaneSplitter->setChildrenCollapsible(false);
    PaneSplitter->addWidget(MainListView);
    PaneSplitter->addWidget(DetailText);
    PaneSplitter->setStretchFactor(0, 1);
    PaneSplitter->setStretchFactor(1, 0);
    // Once the user drags the splitter, the pane keeps the height given.
    connect(PaneSplitter, &QSplitter::splitterMoved, this, [this] { PaneSizedByUser = true; });
    setCentralWidget(PaneSplitter);
}

void TMainFrm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    for (int i = 0; i < 3; ++i) {
        Panels[i] = new QLabel;
        Panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        Panels[i]->setFrameShape(QFrame::Panel);
        Panels[i]->setFrameShadow(QFrame::Sunken);
        Panels[i]->setTextFormat(Qt::PlainText);
        bar->addWidget(Panels[i], i == 2 ? 1 : 0);
    }
    // The built-in widths, or wider where the font needs it for the longest
    // text each panel can hold.
    QString longest;
    for (int f = 0; f < 8; ++f)
        if (tr(FilterText(f)).size() > longest.size())
            longest = tr(FilterText(f));
    auto fitting = [](const QLabel* panel, const QString& text, int builtIn) {
        const QMargins m = panel->contentsMargins();
        return std::max(builtIn, panel->fontMetrics().horizontalAdvance(text) + m.left() +
                                     m.right() + 2 * panel->frameWidth() + 8);
    };
    Panels[0]->setFixedWidth(fitting(Panels[0], "99999" + longest, 170));
    Panels[1]->setFixedWidth(fitting(Panels[1], tr("Filtered"), 80));
    Panels[2]->setMinimumWidth(0);
}

void TMainFrm::ApplyStartMode() {
    if (StartMode != smMain)
        return;
    // This window is the application's main window: closing it ends the
    // program, so Close takes Exit's place.
    ExitAction->setVisible(false);
    ExitBtn->setVisible(false);
    CloseAction->setText(tr("E&xit"));
    CloseAction->setStatusTip(ExitAction->statusTip());
    CloseBtn->setText(tr("E&xit"));
    CloseBtn->setStatusTip(ExitAction->statusTip());
    CloseBtn->setToolTip(ExitAction->statusTip());
    CloseBtn->setIcon(ExitBtn->icon());
}

void TMainFrm::ReadSettings() {
    const TWinRegistry reg;
    const int h = ReadSetting(reg, kFormsHm);
    const int w = ReadSetting(reg, kFormsWm);
    DetailPaneAction->setChecked(ReadSetting(reg, kDetailPane));
    {
        const QSignalBlocker block(FilterMain);
        FilterMain->setChecked(ReadSetting(reg, kFilterMain));
    }
    FullRowSelectAction->setChecked(ReadSetting(reg, kFullRowSelect));
    GridlinesAction->setChecked(ReadSetting(reg, kGridLines));
    // Toggled signals do not fire for a value that did not change.
    MainListView->setSelectionBehavior(FullRowSelectAction->isChecked()
                                           ? QAbstractItemView::SelectRows
                                           : QAbstractItemView::SelectItems);
    if (auto* d = dynamic_cast<TGridDelegate*>(MainListView->itemDelegate()))
        d->Grid = GridlinesAction->isChecked();
    Filter = 0;
    ShowDetailPane(DetailPaneAction->isChecked());

    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = s ? s->availableGeometry() : QRect();
    // Without a stored width the window opens wide enough for its columns
    // in the current font.
    const int width = reg.ValueExists(kFormsWm.Section, kFormsWm.Name)
                          ? w
                          : std::max(w, ColumnState->BuiltInListWidth());
    ApplyStoredSize(this, QSize(width, h), QSize(kFormsWm.Default, kFormsHm.Default));
    if (s) {
        QRect r = frameGeometry();
        r.moveCenter(area.center());
        move(r.topLeft());
    }
}

void TMainFrm::WriteSettings() const {
    TWinRegistry reg;
    const QSize size = SizeToStore(this);
    WriteSetting(reg, kFormsHm, size.height());
    WriteSetting(reg, kFormsWm, size.width());
    WriteSetting(reg, kDetailPane, DetailPaneAction->isChecked());
    WriteSetting(reg, kFilterMain, FilterMain->isChecked());
    WriteSetting(reg, kFullRowSelect, FullRowSelectAction->isChecked());
    WriteSetting(reg, kGridLines, GridlinesAction->isChecked());
}

void TMainFrm::UpdateLinkedEntries() {
    EnableForClockCommand({DueWindowAction, DueBtn}, &TClockLinks::ShowDueWindow);
    EnableForClockCommand({CalendarAction, CalBtn}, &TClockLinks::ShowCalendar);
    EnableForClockCommand({OptionsAction, OptionsBtn}, &TClockLinks::ShowOptions);
}

// ---- list -----------------------------------------------------------------

QModelIndex TMainFrm::RowOf(const TTickwellItem* e) const {
    return Rows->index(Rows->RowOf(e), 0);
}

TTickwellItem* TMainFrm::SelectedEvent() const {
    return MainListView->SelectedEvent();
}

void TMainFrm::SelectRow(const QModelIndex& row) {
    MainListView->SelectRow(row.isValid() ? row.row() : -1);
}

void TMainFrm::FillListViewMain(int filter) {
    Filter = filter;
    ListDay = Today();
    std::vector<TTickwellItem*> shown;
    const bool filterOld = FilterMain->isChecked();
    for (TTickwellItem* e : Book.MasterList.All())
        if (PassesMainFilter(*e, filter, filterOld))
            shown.push_back(e);
    Rows->SetEvents(std::move(shown));
    ColumnState->ReapplySort();
}

void TMainFrm::UpdateRow(TTickwellItem* e) {
    Rows->EventChanged(e);
}

void TMainFrm::AddRow(TTickwellItem* e) {
    Rows->AppendEvent(e);
    // The rows as a new list would have them: in the master list's order,
    // then in the user's column sort (ties keeping that order).
    const std::vector<int> places = Book.MasterList.IndexesOf(Rows->Events());
    std::unordered_map<const TTickwellItem*, double> placeOf;
    placeOf.reserve(places.size());
    for (size_t i = 0; i < places.size(); ++i)
        placeOf.emplace(Rows->Events()[i], places[i] < 0 ? HUGE_VAL : places[i]);
    Rows->SortBy([&placeOf](const TTickwellItem& row) { return placeOf.at(&row); });
    ColumnState->ReapplySort();
}

void TMainFrm::UpdateStatusBar() {
    Panels[0]->setText(QString::number(Rows->rowCount()) + tr(FilterText(Filter)));
    Panels[1]->setText(FilterMain->isChecked() ? tr("Filtered") : QString());
}

bool TMainFrm::PassesVisibilityTest(TTickwellItem* e) const {
    return e && PassesMainFilter(*e, Filter, FilterMain->isChecked());
}

QLabel* TMainFrm::StatusPanel(int index) const {
    return index >= 0 && index < 3 ? Panels[index] : nullptr;
}

void TMainFrm::ShowStatusText(const QString& text) {
    Panels[2]->setText(text);
}

void TMainFrm::MainListViewClick() {
    if (!DetailPaneAction->isChecked())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        DetailText->clear();
        return;
    }
    QString text = Q(e->Description);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text += tr("\nStart Date: ") + Q(e->StartDateText());
    text += e->NoEndPoint ? tr("\nNo End Point") : tr("\nEnd Date: ") + Q(DateToStr(e->EndDate));
    text += tr("\nNotice Period: ") + QString::number(e->NoticePeriod) + tr(" days");
    text += tr("\nKeep Flag: ") + (e->KeepFlag ? tr("True") : tr("False"));
    DetailText->setPlainText(text);
    FitDetailPane();
}

void TMainFrm::ShowDetailPane(bool show) {
    DetailText->setVisible(show);
    if (show)
        FitDetailPane();
}

void TMainFrm::FitDetailPane() {
    if (DetailText->isHidden() || PaneSizedByUser)
        return;
    // Tall enough for every line of the text in the current font (a
    // description and its four detail lines at the least), up to half the
    // window.
    const QFontMetrics fm = DetailText->fontMetrics();
    const int width = std::max(1, DetailText->viewport()->width());
    const int lines =
        std::max(5 * fm.lineSpacing(), fm.boundingRect(QRect(0, 0, width, 1 << 20),
                                                       Qt::TextWordWrap, DetailText->toPlainText())
                                           .height());
    const int total = PaneSplitter->height() > 0 ? PaneSplitter->height() : height();
    const int pane = std::min(std::max(kDetailPaneHeight, lines + 2 * DetailText->frameWidth() + 4),
                              std::max(kDetailPaneHeight, total / 2));
    PaneSplitter->setSizes({qMax(0, total - pane - PaneSplitter->handleWidth()), pane});
}

void TMainFrm::FollowChanges(const std::vector<TTickwellItem*>& events) {
    // Each event gets, keeps or loses its row as the view's filter says now.
    for (TTickwellItem* e : events) {
        const QModelIndex row = RowOf(e);
        if (!PassesVisibilityTest(e)) {
            if (row.isValid())
                Rows->RemoveRowAt(row.row());
        } else if (row.isValid()) {
            UpdateRow(e);
        } else {
            AddRow(e);
        }
    }
    UpdateStatusBar();
    MainListViewClick();
}

void TMainFrm::FollowRemoval(const std::vector<TTickwellItem*>& events) {
    for (TTickwellItem* e : events)
        if (const QModelIndex row = RowOf(e); row.isValid())
            Rows->RemoveRowAt(row.row());
    UpdateStatusBar();
    MainListViewClick();
}

void TMainFrm::FollowReset() {
    // The selected row stays selected where its event is still there.
    const TTickwellItem* selected = SelectedEvent();
    const std::uint64_t key = selected ? EventKey(*selected) : 0;
    FillListViewMain(Filter);
    UpdateStatusBar();
    MainListView->clearSelection();
    if (selected)
        for (TTickwellItem* e : Rows->Events())
            if (EventKey(*e) == key) {
                SelectRow(RowOf(e));
                break;
            }
    MainListViewClick();
}

void TMainFrm::Run(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        ShowMsg(e.what(), mkError);
    }
}

// ---- commands -------------------------------------------------------------

void TMainFrm::AddBtnClick() {
    TTickwellItem* e = EditEvent(Book, false, nullptr);
    if (e && RowOf(e).isValid()) {
        MainListView->setFocus();
        SelectRow(RowOf(e));
    }
}

void TMainFrm::EditBtnClick() {
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg(tr("Nothing to Edit"), mkInformation);
        return;
    }
    if (EditEvent(Book, true, e) && RowOf(e).isValid())
        MainListView->setFocus();
}

void TMainFrm::DeleteBtnClick() {
    if (BusyCursorShowing())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg(tr("Nothing to Delete"), mkInformation);
        return;
    }
    const TBusyCursor busy;
    Book.Delete(e, false);
}

void TMainFrm::CopyEventClick() {
    if (BusyCursorShowing() || RefuseChange())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg(tr("No Event selected"), mkWarning);
        return;
    }
    EventRecord rec;
    e->ToRecord(rec);
    rec.SetDescription(tr("Copy of: ").toStdString() + e->Description);
    auto* copy = new TTickwellItem(rec);
    copy->AckDate = e->AckDate;
    Book.Add(copy);
    SelectRow(RowOf(copy));
}

void TMainFrm::ClearAckClick() {
    if (RefuseChange())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg(tr("No Event selected"), mkInformation);
        return;
    }
    if (!Book.ClearAcknowledgement(e))
        ShowMsg(tr("Acknowledged field cleared"), mkInformation);
}

void TMainFrm::FindBtnClick() {
    TFindDlg dlg(this, MainListView);
    dlg.exec();
}

void TMainFrm::ViewMenuClick(int tag) {
    for (int i = 0; i < 8; ++i)
        ViewItems[i]->setChecked(i == tag);
    FillListViewMain(tag);
    UpdateStatusBar();
}

void TMainFrm::DetailPaneClick() {
    DetailPaneAction->toggle();
}

void TMainFrm::FilterMainClick() {
    FilterMain->toggle();
}

void TMainFrm::FullRowSelectClick() {
    FullRowSelectAction->toggle();
}

void TMainFrm::GridlinesClick() {
    GridlinesAction->toggle();
}

void TMainFrm::DueBtnClick() {
    RunClockCommand(&TClockLinks::ShowDueWindow);
}

void TMainFrm::CalBtnClick() {
    RunClockCommand(&TClockLinks::ShowCalendar);
}

void TMainFrm::OptionsBtnClick() {
    RunClockCommand(&TClockLinks::ShowOptions);
}

void TMainFrm::ExportClick() {
    if (!HasEvents(Book.MasterList))
        return;
    const QString path = ChooseSaveFile(
        this, {tr("Export File As"),
               DataFolderText(),
               {tr("Tickwell File (*.dat)"), tr("Comma-delimited Text File (*.csv)")},
               QStringLiteral("dat")});
    if (path.isEmpty())
        return;
    ExportCommand(Book.MasterList, path.toStdString());
}

void TMainFrm::ImportClick() {
    const QString path = ChooseOpenFile(this, {tr("Import CSV data"),
                                               DataFolderText(),
                                               {tr("Comma-delimited Text Files (*.csv)")},
                                               QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    ImportCommand(Book, path.toStdString());
}

void TMainFrm::ExportICalClick() {
    if (!HasEvents(Book.MasterList))
        return;
    const QString path = ChooseSaveFile(this, {tr("Export to iCalendar"),
                                               DataFolderText(),
                                               {tr("iCalendar File (*.ics)")},
                                               QStringLiteral("ics")});
    if (path.isEmpty())
        return;
    ExportICalendarCommand(Book.MasterList, path.toStdString());
}

void TMainFrm::ImportICalClick() {
    const QString path = ChooseOpenFile(this, {tr("Import iCalendar data"),
                                               DataFolderText(),
                                               {tr("iCalendar Files (*.ics)")},
                                               QStringLiteral("ics")});
    if (path.isEmpty())
        return;
    ImportICalendarCommand(Book, path.toStdString());
}

void TMainFrm::ArchiveClick() {
    if (!HasEvents(Book.MasterList))
        return;
    const QString folder = ChooseFolder(this, tr("Select a folder for archive:"), DataFolderText());
    if (folder.isEmpty())
        return;
    ArchiveCommand(Book, folder.toStdString());
}

void TMainFrm::CompressClick() {
    CompressCommand(Book);
}

void TMainFrm::ZapListClick() {
    ZapListCommand(Book);
}

void TMainFrm::BackupClick() {
    if (!HasEvents(Book.MasterList))
        return;
    TBackupDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    BackupCommand(Book.MasterList, dlg.BackupPath());
}

void TMainFrm::RestoreClick() {
    const std::string backup = BackupFileIn(BackupFolder(DataFolder()));
    RestoreCommand(Book, backup);
}

void TMainFrm::MergeClick() {
    const std::optional<bool> preV4 = AskMergeFormat();
    if (!preV4)
        return;
    TFileDialogRequest request{tr("Merge Tickwell File"), DataFolderText(), {}, {}};
    if (*preV4) {
        request.Filters = {tr("Tickwell(v2/3) Data Files (*.tkw)")};
        request.DefaultSuffix = QStringLiteral("tkw");
    } else {
        request.Filters = {tr("Tickwell Files (*.dat)")};
        request.DefaultSuffix = QStringLiteral("dat");
    }
    const QString path = ChooseOpenFile(this, request);
    if (path.isEmpty())
        return;
    MergeCommand(Book, path.toStdString(), *preV4);
}

void TMainFrm::PrintClick() {
    PrintEventsCommand(Book, this);
}

void TMainFrm::PrintSetupClick() {
    PrintSetupCommand(this);
}

void TMainFrm::CloseBtnClick() {
    close();
}

void TMainFrm::ExitBtnClick() {
    ExitByStartMode();
}

void TMainFrm::HelpContentsClick() {
    ShowHelpContents();
}

void TMainFrm::AboutClick() {
    TAboutDlg dlg(this);
    dlg.exec();
}

// ---- events ---------------------------------------------------------------

bool TMainFrm::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::StatusTip:
        // Hints go to the third panel, not over the whole bar.
        ShowStatusText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    case QEvent::WindowActivate:
        UpdateLinkedEntries();
        break;
    default:
        break;
    }
    return QMainWindow::event(e);
}

bool TMainFrm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == MainListView && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            Run([this] { EditBtnClick(); });
            return true;
        }
        // The menu's Delete, greyed out with it while changes cannot be saved.
        if (key->key() == Qt::Key_Delete &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            DeleteEventAction->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TMainFrm::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && isMinimized() && StartMode != smMain)
        // Not the application's main window: minimising closes it instead.
        QTimer::singleShot(0, this, [this] { close(); });
}

void TMainFrm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (e->spontaneous() || Shown)
        return;
    Shown = true;
    ++OpenWindowCount;
    UpdateLinkedEntries();
    Run([this] {
        FillListViewMain(Filter);
        UpdateStatusBar();
    });
    ShowDetailPane(DetailPaneAction->isChecked());
}

void TMainFrm::hideEvent(QHideEvent* e) {
    QMainWindow::hideEvent(e);
    if (e->spontaneous() || !Shown)
        return;
    Shown = false;
    --OpenWindowCount;
}

QWidget* CreateMainWindowForStartup(TEventBookSignals& events) {
    auto* w = new TMainFrm(events);
    w->show();
    return w;
}

TMainFrm* ShowMainFrm(TEventBookSignals& events) {
    if (!MainFrm)
        new TMainFrm(events);
    MainFrm->show();
    if (MainFrm->isMinimized())
        MainFrm->showNormal();
    MainFrm->raise();
    MainFrm->activateWindow();
    return MainFrm;
}
