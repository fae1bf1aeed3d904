#include "ui/FrmMain.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "ical/ICalExport.h"
#include "ical/ICalImport.h"
#include "platform/Paths.h"
#include "store/BusyCursor.h"
#include "store/DataCommands.h"
#include "store/DataFile.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include "ui/ClockCommands.h"
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

const char* const kFilterTexts[8] = {
    "  Event(s) ",        "  Once Only Event(s) ",      "  Daily Event(s) ",
    "  Weekly Event(s) ", "  Monthly - Date Event(s) ", "  Monthly - Day Event(s) ",
    "  Yearly Event(s) ", "  Accounting Event(s) ",
};

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

// Keeps the changed-events hook of the data commands pointed at this window
// for the length of one command.
class TChangedHookScope {
public:
    explicit TChangedHookScope(TEventsChangedHook hook)
        : Previous(SetEventsChangedHook(std::move(hook))) {}
    ~TChangedHookScope() { SetEventsChangedHook(std::move(Previous)); }

private:
    TEventsChangedHook Previous;
};

QString DataFolderText() {
    return QString::fromStdString(DataFolder());
}

} // namespace

bool PassesMainFilter(const TTickwellItem& e, int viewFilter, bool filterOld) {
    bool pass = false;
    if (viewFilter == 0)
        pass = true;
    else if (viewFilter == 1)
        pass = e.Simple;
    else if (viewFilter >= 2 && viewFilter <= 7)
        pass = !e.Simple && e.EventType == viewFilter - 2;
    if (pass && filterOld && IsOld(e))
        pass = false;
    return pass;
}

const char* FilterText(int viewFilter) {
    return viewFilter >= 0 && viewFilter <= 7 ? kFilterTexts[viewFilter] : "";
}

// ---- creation -------------------------------------------------------------

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(QStringLiteral("Tickwell "));
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateCentral();
    CreateStatusBar();

    ZapList1->setVisible(FirstArgument == "/z");
    QFont toolFont = QApplication::font();
    const QStringList families = QFontDatabase::families();
    for (const QString& f : families)
        if (f.compare(QStringLiteral("tahoma"), Qt::CaseInsensitive) == 0) {
            toolFont.setFamily(f);
            break;
        }
    ToolBar1->setFont(toolFont);
    ApplyStartMode();
    ReadSettings();

    MainFrm = this;
    TMainWindowLinks& links = MainLinks();
    links.Window = this;
    links.FillListViewMain = [this] { FillListViewMain(Filter); };
    links.UpdateRow = [this](TTickwellItem* e) { UpdateRow(e); };
    links.AddRow = [this](TTickwellItem* e) { AddRow(e); };
    links.UpdateStatusBar = [this] { UpdateStatusBar(); };
    links.PassesVisibilityTest = [this](TTickwellItem* e) { return PassesVisibilityTest(e); };
    links.ViewFilter = [this] { return Filter; };
    links.ShowStatusText = [this](const char* text) { ShowStatusText(QString::fromUtf8(text)); };
    links.FilterMainClick = [this] { FilterMainClick(); };
    links.FilterMainChecked = [this] { return FilterMain->isChecked(); };
    links.SelectedEvents = [this] {
        TTickwellItem* e = SelectedEvent();
        return e ? std::vector<TTickwellItem*>{e} : std::vector<TTickwellItem*>{};
    };
    links.SelectEvents = [this](const std::vector<TTickwellItem*>& events) {
        EnhListView1->clearSelection();
        if (!events.empty())
            SelectRow(RowOf(events.front()));
        EnhListView1Click();
    };

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
    delete EnhListView1;
    delete Rows;
    LastShownWindow = 0;
    if (MainFrm == this)
        MainFrm = nullptr;
    if (MainLinks().Window == this)
        MainLinks() = TMainWindowLinks{};
}

QAction* TMainFrm::NewAction(const char* name, const char* caption, const char* hint,
                             void (TMainFrm::*handler)()) {
    auto* a = new QAction(QString::fromUtf8(caption), this);
    a->setObjectName(QString::fromUtf8(name));
    if (hint)
        a->setStatusTip(QString::fromUtf8(hint));
    if (handler)
        connect(a, &QAction::triggered, this,
                [this, handler] { Run([this, handler] { (this->*handler)(); }); });
    return a;
}

void TMainFrm::CreateActions() {
    Options1 = NewAction("Options1", "&Options...", "Display the Program Options Screen",
                         &TMainFrm::OptionsBtnClick);
    Export1 = NewAction("Export1", "&Export", "Export your data to another file",
                        &TMainFrm::Export1Click);
    Import1 =
        NewAction("Import1", "&Import", "Import data from a *csv file", &TMainFrm::Import1Click);
    ExportICal1 = NewAction("ExportICal1", "Export to &iCalendar...",
                            "Export your events to an iCalendar file for other calendars",
                            &TMainFrm::ExportICal1Click);
    ImportICal1 = NewAction("ImportICal1", "Import from iC&alendar...",
                            "Import events from an iCalendar file of another calendar",
                            &TMainFrm::ImportICal1Click);
    Archive1 = NewAction("Archive1", "&Archive", "Archive old events to a history file",
                         &TMainFrm::Archive1Click);
    Compress1 = NewAction("Compress1", "&Compress", "Remove old Events from the Tickwell File",
                          &TMainFrm::Compress1Click);
    ZapList1 = NewAction("ZapList1", "&Zap List", nullptr, &TMainFrm::ZapList1Click);
    Backup1 =
        NewAction("Backup1", "&Backup...", "Backup your Tickwell data", &TMainFrm::Backup1Click);
    Restore1 = NewAction("Restore1", "&Restore...", "Restore your Tickwell data from a backup",
                         &TMainFrm::Restore1Click);
    Merge1 = NewAction("Merge1", "&Merge", "Merge Tickwell Events from another file",
                       &TMainFrm::Merge1Click);
    Print1 = NewAction("Print1", "&Print...", "Print Your Tickwell Events", &TMainFrm::Print1Click);
    PrintSetup1 = NewAction("PrintSetup1", "Print &Setup...", "Set up your Printer",
                            &TMainFrm::PrintSetup1Click);
    Close1 = NewAction("Close1", "C&lose", "Close Main Window", &TMainFrm::CloseBtnClick);
    Exit1 = NewAction("Exit1", "E&xit", "Exit Tickwell", &TMainFrm::ExitBtnClick);

    AddEvent1 =
        NewAction("AddEvent1", "&Add event...", "Add a New Tickwell Event", &TMainFrm::AddBtnClick);
    AddEvent1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
    EditEvent1 = NewAction("EditEvent1", "&Edit event...", "Edit the selected Tickwell Event",
                           &TMainFrm::EditBtnClick);
    EditEvent1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_E));
    DeleteEvent1 = NewAction("DeleteEvent1", "&Delete event", "Delete the selected Tickwell Event",
                             &TMainFrm::DeleteBtnClick);
    DeleteEvent1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_D));
    CopyEvent1 = NewAction("CopyEvent1", "&Copy event", "Duplicate the selected Tickwell Event",
                           &TMainFrm::Copy1Click);
    CopyEvent1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    ClearAck1 = NewAction("ClearAck1", "Clear &Acknowledgement",
                          "Remove Acknowledged status from selected Tickwell Event",
                          &TMainFrm::ClearAck1Click);
    ClearAck1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    FindText1 = NewAction("FindText1", "&Find Text...", "Find text in the Tickwell List",
                          &TMainFrm::FindBtnClick);
    FindText1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F));

    static const char* const viewCaptions[8] = {
        "&All",           "&Once Only", "&Daily",      "&Weekly", "&Monthly - Date",
        "Mo&nthly - Day", "&Yearly",    "A&ccounting",
    };
    static const char* const viewHints[8] = {
        "View all types of Tickwell Event", "View only Once Only Events",
        "View only Daily Events",           "View only Weekly Events",
        "View only Monthly - Date Events",  "View only Monthly - Day Events",
        "View only Yearly Events",          "View only English Quarterly Accounting Events",
    };
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (int tag = 0; tag < 8; ++tag) {
        const QString name = QStringLiteral("View%1").arg(tag);
        QAction* a =
            NewAction(name.toUtf8().constData(), viewCaptions[tag], viewHints[tag], nullptr);
        a->setCheckable(true);
        a->setChecked(tag == 0);
        a->setData(tag);
        a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_F1 + tag)));
        group->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, tag] { Run([this, tag] { ViewMenuClick(tag); }); });
        ViewItems[tag] = a;
    }
    EventDetailPane1 = NewAction("EventDetailPane1", "Event Detail &Pane",
                                 "Toggle Event Detail Pane on or off", nullptr);
    EventDetailPane1->setCheckable(true);
    connect(EventDetailPane1, &QAction::toggled, this, [this](bool on) {
        ShowDetailPane(on);
        if (on)
            EnhListView1Click();
    });
    FilterMain = NewAction("FilterMain", "&Filter Old Events", "Filter Old Events", nullptr);
    FilterMain->setCheckable(true);
    connect(FilterMain, &QAction::toggled, this, [this] {
        Run([this] {
            FillListViewMain(Filter);
            UpdateStatusBar();
        });
    });

    TickwellsWindow1 = NewAction("TickwellsWindow1", "&Tickwells Window",
                                 "Display any Due Tickwell Events", &TMainFrm::DueBtnClick);
    TickwellsWindow1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    Calendar1 = NewAction("Calendar1", "Ca&lendar", "Display the Calendar", &TMainFrm::CalBtnClick);
    Calendar1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    Contents1 = NewAction("Contents1", "&Contents", "Display the Help Contents Screen",
                          &TMainFrm::HelpContents1Click);
    Contents1->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = NewAction("About1", "&About...", "Display the About Screen", &TMainFrm::About1Click);

    PopAdd =
        NewAction("PopAdd", "&Add an Event", "Add a New Tickwell Event", &TMainFrm::AddBtnClick);
    PopEdit = NewAction("PopEdit", "&Edit selected Event", "Edit the selected Tickwell Event",
                        &TMainFrm::EditBtnClick);
    PopDelete = NewAction("PopDelete", "&Delete selected Event",
                          "Delete the selected Tickwell Event", &TMainFrm::DeleteBtnClick);
    PopCopy = NewAction("PopCopy", "&Copy selected Event", "Duplicate the selected Tickwell Event",
                        &TMainFrm::Copy1Click);
    PopClearAck = NewAction("PopClearAck", "Clear Ac&knowledgement",
                            "Remove Acknowledged status from selected Tickwell Event",
                            &TMainFrm::ClearAck1Click);
    FullRowSelect1 = NewAction("FullRowSelect1", "Full Row Select", nullptr, nullptr);
    FullRowSelect1->setCheckable(true);
    connect(FullRowSelect1, &QAction::toggled, this, [this](bool on) {
        EnhListView1->setSelectionBehavior(on ? QAbstractItemView::SelectRows
                                              : QAbstractItemView::SelectItems);
        const QModelIndex current = EnhListView1->currentIndex();
        if (current.isValid()) {
            // Re-select so the new style shows at once.
            EnhListView1->clearSelection();
            EnhListView1->selectionModel()->select(current, QItemSelectionModel::Select |
                                                                QItemSelectionModel::Rows);
        }
        EnhListView1->viewport()->update();
    });
    Gridlines1 = NewAction("Gridlines1", "Show Gridlines", nullptr, nullptr);
    Gridlines1->setCheckable(true);
    connect(Gridlines1, &QAction::toggled, this, [this](bool on) {
        if (auto* d = dynamic_cast<TGridDelegate*>(EnhListView1->itemDelegate()))
            d->Grid = on;
        EnhListView1->viewport()->update();
    });

    // Toolbar buttons, their hints copied from the menu entries.
    auto button = [this](const char* name, const char* caption, QAction* menuEntry,
                         TToolPicture picture) {
        auto* a = new QAction(ToolbarIcon(picture), QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromUtf8(name));
        a->setStatusTip(menuEntry->statusTip());
        a->setToolTip(menuEntry->statusTip());
        connect(a, &QAction::triggered, menuEntry, &QAction::trigger);
        return a;
    };
    AddBtn = button("AddBtn", "&Add", AddEvent1, TToolPicture::Add);
    EditBtn = button("EditBtn", "&Edit", EditEvent1, TToolPicture::Edit);
    DeleteBtn = button("DeleteBtn", "&Delete", DeleteEvent1, TToolPicture::Delete);
    FindBtn = button("FindBtn", "&Find", FindText1, TToolPicture::Find);
    DueBtn = button("DueBtn", "D&ue", TickwellsWindow1, TToolPicture::Due);
    CalBtn = button("CalBtn", "&Cal", Calendar1, TToolPicture::Calendar);
    OptionsBtn = button("OptionsBtn", "&Options", Options1, TToolPicture::Options);
    CloseBtn = button("CloseBtn", "&Close", Close1, TToolPicture::Close);
    ExitBtn = button("ExitBtn", "E&xit", Exit1, TToolPicture::Exit);
    MarkAsChangingEvents({AddEvent1, EditEvent1, DeleteEvent1, CopyEvent1, ClearAck1,
                          PopAdd,    PopEdit,    PopDelete,    PopCopy,    PopClearAck,
                          AddBtn,    EditBtn,    DeleteBtn,    Import1,    ImportICal1,
                          Archive1,  Compress1,  ZapList1,     Restore1,   Merge1});
}

void TMainFrm::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Fi&le"));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(Options1);
    file->addSeparator();
    file->addAction(Export1);
    file->addAction(Import1);
    file->addAction(ExportICal1);
    file->addAction(ImportICal1);
    file->addSeparator();
    file->addAction(Archive1);
    file->addAction(Compress1);
    file->addAction(ZapList1);
    file->addSeparator();
    file->addAction(Backup1);
    file->addAction(Restore1);
    file->addAction(Merge1);
    file->addSeparator();
    file->addAction(Print1);
    file->addAction(PrintSetup1);
    file->addSeparator();
    file->addAction(Close1);
    file->addAction(Exit1);
    connect(file, &QMenu::aboutToShow, this, [this] { UpdateLinkedEntries(); });

    QMenu* events = menuBar()->addMenu(QStringLiteral("Even&ts"));
    events->setObjectName(QStringLiteral("Events1"));
    events->addAction(AddEvent1);
    events->addAction(EditEvent1);
    events->addAction(DeleteEvent1);
    events->addAction(CopyEvent1);
    events->addAction(ClearAck1);
    events->addSeparator();
    events->addAction(FindText1);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("View1"));
    for (QAction* a : ViewItems)
        view->addAction(a);
    view->addSeparator();
    view->addAction(EventDetailPane1);
    view->addAction(FilterMain);

    QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("Window1"));
    window->addAction(TickwellsWindow1);
    window->addAction(Calendar1);
    connect(window, &QMenu::aboutToShow, this, [this] { UpdateLinkedEntries(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->addAction(Contents1);
    help->addAction(About1);
}

void TMainFrm::CreateToolBar() {
    ToolBar1 = new TArtToolBar(QStringLiteral("Toolbar"), this);
    addToolBar(ToolBar1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(24, 24));
    for (QAction* a : {AddBtn, EditBtn, DeleteBtn, FindBtn})
        ToolBar1->addAction(a);
    ToolBar1->addSeparator();
    for (QAction* a : {DueBtn, CalBtn, OptionsBtn})
        ToolBar1->addAction(a);
    ToolBar1->addSeparator();
    ToolBar1->addAction(CloseBtn);
    ToolBar1->addAction(ExitBtn);
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
        {DescriptionColumn(QStringLiteral("Event Description")),
         SortedByNumber(QStringLiteral("Date"), text(&TTickwellItem::NextDateText),
                        date(&TTickwellItem::NextDate)),
         SortedByNumber(
             QStringLiteral("When"),
             [this](const TTickwellItem& e) { return Q(e.DaysToNextText(ListDay)); },
             date(&TTickwellItem::NextDate)),
         TypeColumn(QStringLiteral("Type")),
         SortedByNumber(QStringLiteral("Interval"), text(&TTickwellItem::IntervalText),
                        [](const TTickwellItem& e) { return static_cast<double>(e.Interval); }),
         SortedByNumber(QStringLiteral("Last Acknowledged"), text(&TTickwellItem::AckDateText),
                        date(&TTickwellItem::AckDate))},
        this);
    EnhListView1 = new TEventListView(Rows);
    EnhListView1->setObjectName(QStringLiteral("EnhListView1"));
    EnhListView1->setItemDelegate(new TGridDelegate(EnhListView1));
    EnhListView1->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QAction* a : {PopAdd, PopEdit, PopDelete, PopCopy, PopClearAck})
        EnhListView1->addAction(a);
    auto* sep = new QAction(this);
    sep->setSeparator(true);
    EnhListView1->addAction(sep);
    EnhListView1->addAction(FullRowSelect1);
    EnhListView1->addAction(Gridlines1);
    EnhListView1->installEventFilter(this);
    connect(EnhListView1, &QAbstractItemView::doubleClicked, this,
            [this] { Run([this] { EditBtnClick(); }); });
    connect(EnhListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { EnhListView1Click(); });
    // A freed event's row goes by itself (many at once go in one reset);
    // the count follows whatever comes or goes, also when the save after
    // an add fails.
    connect(Rows, &QAbstractItemModel::rowsInserted, this, [this] { UpdateStatusBar(); });
    connect(Rows, &QAbstractItemModel::rowsRemoved, this, [this] { UpdateStatusBar(); });
    connect(Rows, &QAbstractItemModel::modelReset, this, [this] { UpdateStatusBar(); });
    ColumnState = std::make_unique<TListViewState>(EnhListView1, kMainListKey);
    QStringList dates, types{Q(TypeNameOf(true, 0))};
    for (int month = 1; month <= 12; ++month)
        dates << Q(DateToStr(EncodeDate(2000, month, 28)));
    for (int type = etDaily; type <= etAccounting; ++type)
        types << Q(TypeNameOf(false, type));
    ColumnState->SetBuiltInWidths(
        {std::max(180, ColumnWidthFor(EnhListView1, 0, {})), ColumnWidthFor(EnhListView1, 1, dates),
         ColumnWidthFor(EnhListView1, 2, {"-9999"}), ColumnWidthFor(EnhListView1, 3, types),
         ColumnWidthFor(EnhListView1, 4, {"300"}), ColumnWidthFor(EnhListView1, 5, dates)},
        0);

    DetailText = new TDetailPane(nullptr);
    DetailText->setObjectName(QStringLiteral("DetailText"));

    Splitter1 = new QSplitter(Qt::Vertical);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(EnhListView1);
    Splitter1->addWidget(DetailText);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    // Once the user drags the splitter, the pane keeps the height given.
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { PaneSizedByUser = true; });
    setCentralWidget(Splitter1);
}

void TMainFrm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
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
        if (QString::fromUtf8(FilterText(f)).size() > longest.size())
            longest = QString::fromUtf8(FilterText(f));
    auto fitting = [](const QLabel* panel, const QString& text, int builtIn) {
        const QMargins m = panel->contentsMargins();
        return std::max(builtIn, panel->fontMetrics().horizontalAdvance(text) + m.left() +
                                     m.right() + 2 * panel->frameWidth() + 8);
    };
    Panels[0]->setFixedWidth(fitting(Panels[0], "99999" + longest, 170));
    Panels[1]->setFixedWidth(fitting(Panels[1], QStringLiteral("Filtered"), 80));
    Panels[2]->setMinimumWidth(0);
}

void TMainFrm::ApplyStartMode() {
    if (StartMode != smMain)
        return;
    // This window is the application's main window: closing it ends the
    // program, so Close takes Exit's place.
    Exit1->setVisible(false);
    ExitBtn->setVisible(false);
    Close1->setText(QStringLiteral("E&xit"));
    Close1->setStatusTip(Exit1->statusTip());
    CloseBtn->setText(QStringLiteral("E&xit"));
    CloseBtn->setStatusTip(Exit1->statusTip());
    CloseBtn->setToolTip(Exit1->statusTip());
    CloseBtn->setIcon(ExitBtn->icon());
}

void TMainFrm::ReadSettings() {
    const TWinRegistry reg;
    const int h = ReadSetting(reg, kFormsHm);
    const int w = ReadSetting(reg, kFormsWm);
    EventDetailPane1->setChecked(ReadSetting(reg, kDetailPane));
    {
        const QSignalBlocker block(FilterMain);
        FilterMain->setChecked(ReadSetting(reg, kFilterMain));
    }
    FullRowSelect1->setChecked(ReadSetting(reg, kFullRowSelect));
    Gridlines1->setChecked(ReadSetting(reg, kGridLines));
    // Toggled signals do not fire for a value that did not change.
    EnhListView1->setSelectionBehavior(FullRowSelect1->isChecked()
                                           ? QAbstractItemView::SelectRows
                                           : QAbstractItemView::SelectItems);
    if (auto* d = dynamic_cast<TGridDelegate*>(EnhListView1->itemDelegate()))
        d->Grid = Gridlines1->isChecked();
    Filter = 0;
    ShowDetailPane(EventDetailPane1->isChecked());

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
    WriteSetting(reg, kDetailPane, EventDetailPane1->isChecked());
    WriteSetting(reg, kFilterMain, FilterMain->isChecked());
    WriteSetting(reg, kFullRowSelect, FullRowSelect1->isChecked());
    WriteSetting(reg, kGridLines, Gridlines1->isChecked());
}

void TMainFrm::UpdateLinkedEntries() {
    EnableForClockCommand({TickwellsWindow1, DueBtn}, &TClockLinks::ShowDueWindow);
    EnableForClockCommand({Calendar1, CalBtn}, &TClockLinks::ShowCalendar);
    EnableForClockCommand({Options1, OptionsBtn}, &TClockLinks::ShowOptions);
}

// ---- list -----------------------------------------------------------------

QModelIndex TMainFrm::RowOf(const TTickwellItem* e) const {
    return Rows->index(Rows->RowOf(e), 0);
}

TTickwellItem* TMainFrm::SelectedEvent() const {
    return EnhListView1->SelectedEvent();
}

void TMainFrm::SelectRow(const QModelIndex& row) {
    EnhListView1->SelectRow(row.isValid() ? row.row() : -1);
}

void TMainFrm::FillListViewMain(int filter) {
    Filter = filter;
    ListDay = Today();
    std::vector<TTickwellItem*> shown;
    if (MasterList) {
        const bool filterOld = FilterMain->isChecked();
        for (TTickwellItem* e : MasterList->All())
            if (PassesMainFilter(*e, filter, filterOld))
                shown.push_back(e);
    }
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
    if (MasterList) {
        const std::vector<int> places = MasterList->IndexesOf(Rows->Events());
        std::unordered_map<const TTickwellItem*, double> placeOf;
        placeOf.reserve(places.size());
        for (size_t i = 0; i < places.size(); ++i)
            placeOf.emplace(Rows->Events()[i], places[i] < 0 ? HUGE_VAL : places[i]);
        Rows->SortBy([&placeOf](const TTickwellItem& row) { return placeOf.at(&row); });
    }
    ColumnState->ReapplySort();
}

void TMainFrm::UpdateStatusBar() {
    Panels[0]->setText(QString::number(Rows->rowCount()) + QString::fromUtf8(FilterText(Filter)));
    Panels[1]->setText(FilterMain->isChecked() ? QStringLiteral("Filtered") : QString());
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

void TMainFrm::EnhListView1Click() {
    if (!EventDetailPane1->isChecked())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        DetailText->clear();
        return;
    }
    QString text = Q(e->Description);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text += QStringLiteral("\nStart Date: ") + Q(e->StartDateText());
    text += e->NoEndPoint ? QStringLiteral("\nNo End Point")
                          : QStringLiteral("\nEnd Date: ") + Q(DateToStr(e->EndDate));
    text += QStringLiteral("\nNotice Period: ") + QString::number(e->NoticePeriod) +
            QStringLiteral(" days");
    text += QStringLiteral("\nKeep Flag: ") +
            (e->KeepFlag ? QStringLiteral("True") : QStringLiteral("False"));
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
    const int total = Splitter1->height() > 0 ? Splitter1->height() : height();
    const int pane = std::min(std::max(kDetailPaneHeight, lines + 2 * DetailText->frameWidth() + 4),
                              std::max(kDetailPaneHeight, total / 2));
    Splitter1->setSizes({qMax(0, total - pane - Splitter1->handleWidth()), pane});
}

void TMainFrm::RefreshAfterChange() {
    UpdateStatusBar();
    RefreshDueWindowIfOpen();
    RefreshCalendarIfOpen();
    EnhListView1Click();
}

void TMainFrm::ListChanged() {
    FillListViewMain(Filter);
    RefreshAfterChange();
}

void TMainFrm::SaveMasterList() {
    SaveEvents(*MasterList, MasterList->FileName);
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
    TTickwellItem* e = EditEvent(false, nullptr);
    if (!e)
        return;
    if (PassesVisibilityTest(e)) {
        AddRow(e);
        EnhListView1->setFocus();
        SelectRow(RowOf(e));
    }
    SaveMasterList();
    RefreshAfterChange();
}

void TMainFrm::EditBtnClick() {
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg("Nothing to Edit", mkInformation);
        return;
    }
    if (!EditEvent(true, e))
        return;
    if (PassesVisibilityTest(e)) {
        UpdateRow(e);
        EnhListView1->setFocus();
    } else {
        FillListViewMain(Filter);
    }
    SaveMasterList();
    RefreshAfterChange();
}

void TMainFrm::DeleteBtnClick() {
    if (BusyCursorShowing())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg("Nothing to Delete", mkInformation);
        return;
    }
    const TBusyCursor busy;
    // Freeing the event takes its row out of every window.
    if (!DeleteEvent(*MasterList, e, false))
        return;
    SaveMasterList();
    RefreshAfterChange();
}

void TMainFrm::Copy1Click() {
    if (BusyCursorShowing() || RefuseChange())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg("No Event selected", mkWarning);
        return;
    }
    EventRecord rec;
    e->ToRecord(rec);
    rec.SetDescription("Copy of: " + e->Description);
    auto* copy = new TTickwellItem(rec);
    copy->AckDate = e->AckDate;
    MasterList->AddSorted(copy);
    AddRow(copy);
    SaveMasterList();
    UpdateStatusBar();
    SelectRow(RowOf(copy));
    // The copy may be due, or fall on a day the calendar shows.
    RefreshDueWindowIfOpen();
    RefreshCalendarIfOpen();
}

void TMainFrm::ClearAck1Click() {
    if (RefuseChange())
        return;
    TTickwellItem* e = SelectedEvent();
    if (!e) {
        ShowMsg("No Event selected", mkInformation);
        return;
    }
    if (e->AckDate == 0) {
        ShowMsg("Acknowledged field cleared", mkInformation);
    } else {
        e->AckDate = 0;
        SaveMasterList();
        UpdateRow(e);
    }
    RefreshDueWindowIfOpen();
}

void TMainFrm::FindBtnClick() {
    TFindDlg dlg(this, EnhListView1);
    dlg.exec();
}

void TMainFrm::ViewMenuClick(int tag) {
    for (int i = 0; i < 8; ++i)
        ViewItems[i]->setChecked(i == tag);
    FillListViewMain(tag);
    UpdateStatusBar();
}

void TMainFrm::EventDetailPane1Click() {
    EventDetailPane1->toggle();
}

void TMainFrm::FilterMainClick() {
    FilterMain->toggle();
}

void TMainFrm::FullRowSelect1Click() {
    FullRowSelect1->toggle();
}

void TMainFrm::Gridlines1Click() {
    Gridlines1->toggle();
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

void TMainFrm::Export1Click() {
    if (!HasEvents(*MasterList))
        return;
    const QString path =
        ChooseSaveFile(this, {QStringLiteral("Export File As"),
                              DataFolderText(),
                              {QStringLiteral("Tickwell File (*.dat)"),
                               QStringLiteral("Comma-delimited Text File (*.csv)")},
                              QStringLiteral("dat")});
    if (path.isEmpty())
        return;
    ExportCommand(*MasterList, path.toStdString());
}

void TMainFrm::Import1Click() {
    const QString path =
        ChooseOpenFile(this, {QStringLiteral("Import CSV data"),
                              DataFolderText(),
                              {QStringLiteral("Comma-delimited Text Files (*.csv)")},
                              QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    const TChangedHookScope hook([this] { ListChanged(); });
    ImportCommand(*MasterList, path.toStdString());
}

void TMainFrm::ExportICal1Click() {
    if (!HasEvents(*MasterList))
        return;
    const QString path = ChooseSaveFile(this, {QStringLiteral("Export to iCalendar"),
                                               DataFolderText(),
                                               {QStringLiteral("iCalendar File (*.ics)")},
                                               QStringLiteral("ics")});
    if (path.isEmpty())
        return;
    ExportICalendarCommand(*MasterList, path.toStdString());
}

void TMainFrm::ImportICal1Click() {
    const QString path = ChooseOpenFile(this, {QStringLiteral("Import iCalendar data"),
                                               DataFolderText(),
                                               {QStringLiteral("iCalendar Files (*.ics)")},
                                               QStringLiteral("ics")});
    if (path.isEmpty())
        return;
    const TChangedHookScope hook([this] { ListChanged(); });
    ImportICalendarCommand(*MasterList, path.toStdString());
}

void TMainFrm::Archive1Click() {
    if (!HasEvents(*MasterList))
        return;
    const QString folder =
        ChooseFolder(this, QStringLiteral("Select a folder for archive:"), DataFolderText());
    if (folder.isEmpty())
        return;
    const TChangedHookScope hook([this] { ListChanged(); });
    ArchiveCommand(*MasterList, folder.toStdString());
}

void TMainFrm::Compress1Click() {
    const TChangedHookScope hook([this] { ListChanged(); });
    CompressCommand(*MasterList);
}

void TMainFrm::ZapList1Click() {
    const TChangedHookScope hook([this] { ListChanged(); });
    ZapListCommand(*MasterList);
}

void TMainFrm::Backup1Click() {
    if (!HasEvents(*MasterList))
        return;
    TBackupDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    BackupCommand(*MasterList, dlg.BackupPath());
}

void TMainFrm::Restore1Click() {
    const TChangedHookScope hook([this] { ListChanged(); });
    RestoreCommand(*MasterList);
}

void TMainFrm::Merge1Click() {
    const std::optional<bool> preV4 = AskMergeFormat();
    if (!preV4)
        return;
    TFileDialogRequest request{QStringLiteral("Merge Tickwell File"), DataFolderText(), {}, {}};
    if (*preV4) {
        request.Filters = {QStringLiteral("Tickwell(v2/3) Data Files (*.tkw)")};
        request.DefaultSuffix = QStringLiteral("tkw");
    } else {
        request.Filters = {QStringLiteral("Tickwell Files (*.dat)")};
        request.DefaultSuffix = QStringLiteral("dat");
    }
    const QString path = ChooseOpenFile(this, request);
    if (path.isEmpty())
        return;
    const TChangedHookScope hook([this] { ListChanged(); });
    MergeCommand(*MasterList, path.toStdString(), *preV4);
}

void TMainFrm::Print1Click() {
    PrintEventsCommand(this);
}

void TMainFrm::PrintSetup1Click() {
    PrintSetupCommand(this);
}

void TMainFrm::CloseBtnClick() {
    close();
}

void TMainFrm::ExitBtnClick() {
    ExitByStartMode();
}

void TMainFrm::HelpContents1Click() {
    ShowHelpContents();
}

void TMainFrm::About1Click() {
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
    if (watched == EnhListView1 && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            Run([this] { EditBtnClick(); });
            return true;
        }
        // The menu's Delete, greyed out with it while changes cannot be saved.
        if (key->key() == Qt::Key_Delete &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            DeleteEvent1->trigger();
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
    ShowDetailPane(EventDetailPane1->isChecked());
}

void TMainFrm::hideEvent(QHideEvent* e) {
    QMainWindow::hideEvent(e);
    if (e->spontaneous() || !Shown)
        return;
    Shown = false;
    --OpenWindowCount;
}

QWidget* CreateMainWindowForStartup() {
    auto* w = new TMainFrm;
    w->show();
    return w;
}

TMainFrm* ShowMainFrm() {
    if (!MainFrm)
        new TMainFrm;
    MainFrm->show();
    if (MainFrm->isMinimized())
        MainFrm->showNormal();
    MainFrm->raise();
    MainFrm->activateWindow();
    return MainFrm;
}
