#include "ui/FrmScan.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/EventLists.h"
#include "core/Messages.h"
#include "core/TickwellItem.h"
#include "platform/QtMessages.h"
#include "store/DataFile.h"
#include "store/ReadOnlyMode.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "ui/ClockCommands.h"
#include "ui/DueIcons.h"
#include "ui/EventBookSignals.h"
#include "ui/EventListView.h"
#include "ui/EventTableModel.h"
#include "ui/FrmAbt.h"
#include "ui/FrmEdit.h"
#include "ui/FrmHelp.h"
#include "ui/ListViewSettings.h"
#include "ui/ReadOnlyCommands.h"
#include "ui/ScreenFit.h"
#include "ui/SettingsSignals.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QApplication>
#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMediaDevices>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSoundEffect>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

TScanFrm* ScanFrm = nullptr;

namespace {

const char* const kLongDueDate = "ddd, dd mmmmm yyyy";
const char* const kShortDueDate = "ddddd";
const char* const kTitleDate = "dddd dd mmmmm yyyy";
constexpr int kBottomPanelHeight = 41;
constexpr int kCloseBtnHeight = 25;
constexpr int kButtonGap = 8;

} // namespace

TScanFrm::TScanFrm(TEventBookSignals& events, QWidget* parent)
    : QWidget(parent, Qt::Window), Events(events), Book(events.Book()) {
    setObjectName("ScanFrm");
    setAttribute(Qt::WA_DeleteOnClose);
    // A system menu and a close button, no minimise or maximise buttons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    TEventColumn event = DescriptionColumn(tr("Event"));
    event.Icon = [this](const TTickwellItem& e) {
        return ShowIconsAction->isChecked() ? SharedDueKindIcon(e.DueKind) : QIcon();
    };
    TEventColumn date = SortedByNumber(
        tr("Date"),
        [this](const TTickwellItem& e) {
            return QString::fromStdString(e.ScanDateText(Book.DueList.DateFormat));
        },
        [](const TTickwellItem& e) { return e.ScanDate; });
    TEventColumn when = SortedByNumber(
        tr("When"),
        [this](const TTickwellItem& e) {
            QString text = QString::number(DaysToScan(e));
            if (!BriefDaysAction->isChecked())
                text += tr(" days");
            return text;
        },
        [this](const TTickwellItem& e) { return static_cast<double>(DaysToScan(e)); });
    when.Alignment = Qt::AlignRight | Qt::AlignVCenter;
    Rows = new TEventTableModel({event, date, when}, this);
    ScanListView = new TEventListView(Rows);
    ScanListView->setObjectName("ScanListView");
    ScanListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ScanListView->setIconSize(QSize(16, 16));
    ScanListView->setContextMenuPolicy(Qt::CustomContextMenu);
    ScanListView->installEventFilter(this);

    BottomPanel = new QWidget;
    BottomPanel->setObjectName("BottomPanel");
    BottomPanel->setFixedHeight(kBottomPanelHeight);
    AckBtn = new QPushButton(tr("Ac&knowledge"), BottomPanel);
    AckBtn->setObjectName("AckBtn");
    SnoozeBtn = new QPushButton(tr("Snoo&ze"), BottomPanel);
    SnoozeBtn->setObjectName("SnoozeBtn");
    CloseBtn = new QPushButton(tr("&Close"), BottomPanel);
    CloseBtn->setObjectName("CloseBtn");

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(ScanListView, 1);
    root->addWidget(BottomPanel);

    // The pop-up menu, in its order.
    ScanPop = new QMenu(this);
    ScanPop->setObjectName("ScanPop");
    AcknowledgeAction =
        AddItem(tr("Ac&knowledge"), QKeySequence(Qt::ALT | Qt::Key_K), &TScanFrm::AcknowledgeClick);
    SnoozeAction =
        AddItem(tr("Snoo&ze"), QKeySequence(Qt::ALT | Qt::Key_Z), &TScanFrm::SnoozeClick);
    AddEventAction =
        AddItem(tr("&Add an Event"), QKeySequence(Qt::ALT | Qt::Key_A), &TScanFrm::AddEventClick);
    EditEventAction =
        AddItem(tr("&Edit Event"), QKeySequence(Qt::ALT | Qt::Key_E), &TScanFrm::EditEventClick);
    DeleteEventAction = AddItem(tr("&Delete Event"), QKeySequence(Qt::ALT | Qt::Key_D),
                                &TScanFrm::DeleteEventClick);
    MarkAsChangingEvents(
        {AcknowledgeAction, SnoozeAction, AddEventAction, EditEventAction, DeleteEventAction});
    // Alt+K is the menu entry's; the button's own mnemonic would make the
    // key ambiguous, so that neither ran.
    AckBtn->setShortcut(QKeySequence());
    AckBtn->setToolTip(AcknowledgeAction->shortcut().toString(QKeySequence::NativeText));
    SnoozeBtn->setShortcut(QKeySequence());
    SnoozeBtn->setToolTip(SnoozeAction->shortcut().toString(QKeySequence::NativeText));
    ScanPop->addSeparator();

    // FormCreate.
    QuitOnClose = false;
    const TWinRegistry reg;
    LongDateAction = AddOption(tr("Use &Long Date style"), ReadSetting(reg, kDateStyle),
                               &TScanFrm::LongDateClick);
    ShowIconsAction =
        AddOption(tr("Display &Icons"), ReadSetting(reg, kUseIcons), &TScanFrm::ShowIconsClick);
    ShowHeaderAction =
        AddOption(tr("Show &Header"), ReadSetting(reg, kHeader), &TScanFrm::ShowHeaderClick);
    TitleDateAction = AddOption(tr("Show date in &Title Bar"), ReadSetting(reg, kShowDate),
                                &TScanFrm::TitleDateClick);
    BriefDaysAction = AddOption(tr("Brief \"Days to Event\""), ReadSetting(reg, kBriefDays),
                                &TScanFrm::BriefDaysClick);
    ScanPop->addSeparator();
    EnableSoundAction =
        AddOption(tr("E&nable Sound"), ReadSetting(reg, kPlayWav), &TScanFrm::EnableSoundClick);
    ScanPop->addSeparator();
    AboutAction = AddItem(tr("Abo&ut"), QKeySequence(), &TScanFrm::AboutClick);
    HelpAction = AddItem(tr("Hel&p"), QKeySequence(Qt::Key_F1), &TScanFrm::HelpClick);
    ScanPop->addSeparator();
    MainWindowAction = AddItem(tr("Main Window"), QKeySequence(), &TScanFrm::MainWindowClick);
    CalendarAction = AddItem(tr("Calendar"), QKeySequence(), &TScanFrm::CalendarClick);
    OptionsAction = AddItem(tr("Options..."), QKeySequence(), &TScanFrm::OptionsClick);
    ScanPop->addSeparator();
    CloseAction = AddItem(tr("Clo&se"), QKeySequence(Qt::Key_Escape), &TScanFrm::CloseBtnClick);
    ExitApplicationAction = AddItem(tr("Exit Tickwell"), QKeySequence(Qt::ALT | Qt::Key_X),
                                    &TScanFrm::ExitApplicationClick);

    if (StartMode == smDue) {
        ExitApplicationAction->setVisible(false);
        CloseBtn->setText(tr("E&xit"));
        CloseAction->setText(tr("E&xit"));
    }

    ListState = std::make_unique<TListViewState>(ScanListView, kDueListKey);
    // The long date of every month, for the widest month and day names.
    QStringList dates;
    for (int month = 1; month <= 12; ++month)
        for (int day = 22; day <= 28; ++day)
            dates << QString::fromStdString(
                FormatDateTime("  " + std::string(kLongDueDate), EncodeDate(2026, month, day)));
    ListState->SetBuiltInWidths({std::max(150, ColumnWidthFor(ScanListView, 0, {})),
                                 std::max(150, ColumnWidthFor(ScanListView, 1, dates)),
                                 ColumnWidthFor(ScanListView, 2, {"-9999 days"})},
                                0);

    const int h = ReadSetting(reg, kFormsHs);
    int w = ReadSetting(reg, kFormsWs);
    // Without a stored width the window opens wide enough for its columns
    // in the current font.
    if (!reg.ValueExists(kFormsWs.Section, kFormsWs.Name))
        w = std::max(w, ListState->BuiltInListWidth());
    const int l = ReadSetting(reg, kFormsLs);
    const int t = ReadSetting(reg, kFormsTs);
    WavFileName = QString::fromStdString(ReadSetting(reg, kWavFile));
    connect(new TSettingsSignals(this), &TSettingsSignals::changed, this,
            [this](const QString& key) {
                if (TSettingsSignals::Is(key, kPlayWav))
                    EnableSoundAction->setChecked(TSettings().Get(kPlayWav));
                else if (TSettingsSignals::Is(key, kWavFile))
                    WavFileName = QString::fromStdString(TSettings().Get(kWavFile));
            });

    ScanListView->header()->setVisible(ShowHeaderAction->isChecked());
    SetDueTitle();
    SetDateFormat();
    const QRect area = AvailableArea(QPoint(l, t));
    ApplyStoredSize(this, QSize(w, h), QSize(kFormsWs.Default, kFormsHs.Default));
    const QSize size = this->size();
    if (l == -1 && t == -1) {
        if (const QScreen* s = QApplication::primaryScreen()) {
            const QRect g = s->geometry();
            move(g.left() + (g.width() - size.width()) / 2,
                 g.top() + (g.height() - size.height()) / 2);
        }
    } else {
        move(FitPosition(QPoint(l, t), size, area));
    }

    connect(CloseBtn, &QPushButton::clicked, this, [this] { Run(&TScanFrm::CloseBtnClick); });
    connect(AckBtn, &QPushButton::clicked, AcknowledgeAction, &QAction::trigger);
    connect(SnoozeBtn, &QPushButton::clicked, SnoozeAction, &QAction::trigger);
    // The button is there for a selected row the entry may change.
    connect(AcknowledgeAction, &QAction::changed, this, &TScanFrm::UpdateAckBtn);
    connect(SnoozeAction, &QAction::changed, this, &TScanFrm::UpdateAckBtn);
    connect(ScanListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TScanFrm::UpdateAckBtn);
    connect(Rows, &QAbstractItemModel::modelReset, this, &TScanFrm::UpdateAckBtn);
    UpdateAckBtn();
    connect(ScanListView, &QAbstractItemView::doubleClicked, this,
            [this] { Run(&TScanFrm::EditEventClick); });
    connect(ScanListView, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        UpdateCommandStates();
        ScanPop->popup(ScanListView->viewport()->mapToGlobal(p));
    });
    connect(ScanPop, &QMenu::aboutToShow, this, &TScanFrm::UpdateCommandStates);
    UpdateCommandStates();

    ScanFrm = this;
    DueLinks().Window = this;
    connect(&Events, &TEventBookSignals::Added, this, &TScanFrm::FollowChanges);
    connect(&Events, &TEventBookSignals::Changed, this, &TScanFrm::FollowChanges);
    connect(&Events, &TEventBookSignals::Reset, this, &TScanFrm::FollowReset);
    connect(&Events, &TEventBookSignals::DueRebuilt, this, &TScanFrm::FollowReset);
}

TScanFrm::~TScanFrm() {
    TWinRegistry reg;
    WriteSetting(reg, kUseIcons, ShowIconsAction->isChecked());
    WriteSetting(reg, kShowDate, TitleDateAction->isChecked());
    WriteSetting(reg, kDateStyle, LongDateAction->isChecked());
    WriteSetting(reg, kHeader, ShowHeaderAction->isChecked());
    WriteSetting(reg, kBriefDays, BriefDaysAction->isChecked());
    WriteSetting(reg, kPlayWav, EnableSoundAction->isChecked());
    WriteSetting(reg, kGrey,
                 ScanListView->palette().color(QPalette::Base) !=
                     QApplication::palette().color(QPalette::Base));
    WriteSetting(reg, kFormsHs, SizeToStore(this).height());
    WriteSetting(reg, kFormsWs, SizeToStore(this).width());
    WriteSetting(reg, kFormsLs, x());
    WriteSetting(reg, kFormsTs, y());
    if (StartMode == smDue)
        WriteSetting(reg, kLastRun, Today());
    ListState.reset();
    // The rows' texts are worked out by this window; the view and its model
    // go before the window stops being one, not among its children later.
    delete ScanListView;
    delete Rows;

    if (ScanFrm == this)
        ScanFrm = nullptr;
    if (DueLinks().Window == this)
        DueLinks() = TDueWindowLinks{};
    LastShownWindow = 0;
    // Started for this window alone, the program ends with it.
    if (StartMode == smDue)
        RequestApplicationEnd();
}

QAction* TScanFrm::AddItem(const QString& caption, const QKeySequence& key,
                           void (TScanFrm::*slot)()) {
    auto* a = new QAction(caption, this);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    connect(a, &QAction::triggered, this, [this, slot] { Run(slot); });
    ScanPop->addAction(a);
    return a;
}

QAction* TScanFrm::AddOption(const QString& caption, bool checked, void (TScanFrm::*slot)()) {
    auto* a = new QAction(caption, this);
    a->setCheckable(true);
    a->setChecked(checked);
    connect(a, &QAction::triggered, this, [this, slot] { Run(slot); });
    ScanPop->addAction(a);
    return a;
}

void TScanFrm::Run(void (TScanFrm::*command)()) {
    // Errors end the command, not the program: the window stays usable.
    try {
        (this->*command)();
    } catch (const TTickwellError& e) {
        ShowMsg(e.what(), mkError);
    }
}

long long TScanFrm::DaysToScan(const TTickwellItem& e) const {
    return std::llround(e.ScanDate - RowsDay);
}

void TScanFrm::RefillDueList() {
    RowsDay = Today();
    Rows->SetEvents(Book.DueList.All());
    ListState->ReapplySort();
}

void TScanFrm::FollowChanges(const std::vector<TTickwellItem*>& events) {
    for (TTickwellItem* e : events) {
        const int row = Rows->RowOf(e);
        if (Book.DueList.IndexOf(e) < 0) {
            if (row >= 0)
                Rows->RemoveRowAt(row);
        } else if (row >= 0) {
            Rows->EventChanged(e);
        } else {
            Rows->AppendEvent(e);
        }
    }
}

void TScanFrm::FollowReset() {
    // The selected row stays selected where its event is still due.
    TTickwellItem* selected = ScanListView->SelectedEvent();
    const std::uint64_t key = selected ? EventKey(*selected) : 0;
    RefillDueList();
    SetDueTitle();
    if (!selected)
        return;
    for (TTickwellItem* e : Book.DueList.All())
        if (EventKey(*e) == key) {
            ScanListView->SelectRow(Rows->RowOf(e));
            break;
        }
}

void TScanFrm::SetDueTitle() {
    setWindowTitle(TitleDateAction->isChecked()
                       ? tr("Tickwells for %1")
                             .arg(QString::fromStdString(FormatDateTime(kTitleDate, Today())))
                       : tr("Tickwells"));
}

void TScanFrm::SetDateFormat() {
    Book.DueList.DateFormat = LongDateAction->isChecked() ? kLongDueDate : kShortDueDate;
}

// ---- commands ----

int TScanFrm::SelectedRowOrTell(const QString& nothing) const {
    const int row = ScanListView->SelectedRow();
    if (Book.DueList.Empty() || row < 0) {
        ShowMsg(nothing, mkInformation);
        return -1;
    }
    return row;
}

void TScanFrm::AcknowledgeClick() {
    if (RefuseChange())
        return;
    const int row = SelectedRowOrTell(tr("Nothing to Acknowledge"));
    if (row < 0)
        return;
    Book.Acknowledge(Rows->EventAt(row));
}

void TScanFrm::SnoozeClick() {
    if (RefuseChange())
        return;
    const int row = SelectedRowOrTell(tr("Nothing to Snooze"));
    if (row < 0)
        return;
    Book.SnoozeForPeriod({Rows->EventAt(row)});
}

void TScanFrm::AddEventClick() {
    EditEvent(Book, false, nullptr);
}

void TScanFrm::EditEventClick() {
    const int row = SelectedRowOrTell(tr("Nothing to Edit"));
    if (row < 0)
        return;
    EditEvent(Book, true, Rows->EventAt(row));
}

void TScanFrm::DeleteEventClick() {
    const int row = SelectedRowOrTell(tr("Nothing to Delete"));
    if (row < 0)
        return;
    Book.Delete(Rows->EventAt(row), false);
}

void TScanFrm::CloseBtnClick() {
    if (QuitOnClose)
        RequestApplicationEnd();
    close();
}

void TScanFrm::ExitApplicationClick() {
    ExitByStartMode();
}

void TScanFrm::EnableSoundClick() {
    TSettings().Set(kPlayWav, EnableSoundAction->isChecked());
}

void TScanFrm::LongDateClick() {
    SetDateFormat();
    Rows->AllChanged();
}

void TScanFrm::ShowIconsClick() {
    RefillDueList();
}

void TScanFrm::ShowHeaderClick() {
    ScanListView->header()->setVisible(ShowHeaderAction->isChecked());
}

void TScanFrm::TitleDateClick() {
    SetDueTitle();
}

void TScanFrm::BriefDaysClick() {
    Rows->AllChanged();
}

void TScanFrm::AboutClick() {
    TAboutDlg dlg(this);
    dlg.exec();
}

void TScanFrm::HelpClick() {
    ShowHelpContext(4);
}

void TScanFrm::MainWindowClick() {
    RunClockCommand(&TClockLinks::ShowMainWindow);
}

void TScanFrm::CalendarClick() {
    RunClockCommand(&TClockLinks::ShowCalendar);
}

void TScanFrm::OptionsClick() {
    RunClockCommand(&TClockLinks::ShowOptions);
}

// Commands whose window does not exist yet stay in the menu, disabled.
void TScanFrm::UpdateCommandStates() {
    EnableForClockCommand({MainWindowAction}, &TClockLinks::ShowMainWindow);
    EnableForClockCommand({CalendarAction}, &TClockLinks::ShowCalendar);
    EnableForClockCommand({OptionsAction}, &TClockLinks::ShowOptions);
}

void TScanFrm::UpdateAckBtn() {
    const bool selected = ScanListView->SelectedRow() >= 0;
    AckBtn->setEnabled(AcknowledgeAction->isEnabled() && selected);
    SnoozeBtn->setEnabled(SnoozeAction->isEnabled() && selected);
}

// ---- window events ----

void TScanFrm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous())
        return;
    RefillDueList();
    PlayWave();
    raise();
    activateWindow();
    ++OpenWindowCount;
}

void TScanFrm::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (!e->spontaneous())
        --OpenWindowCount;
}

void TScanFrm::PlayWave() {
    SoundStartedFlag = false;
    if (!EnableSoundAction->isChecked() || WavFileName.isEmpty() ||
        !QFileInfo(WavFileName).isFile())
        return;
    // Without a sound device there is nothing to play to; that is no error.
    if (QMediaDevices::defaultAudioOutput().isNull())
        return;
    if (!Sound)
        Sound = new QSoundEffect(this);
    Sound->setSource(QUrl::fromLocalFile(WavFileName));
    Sound->play();
    SoundStartedFlag = true;
}

void TScanFrm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // The buttons side by side, together centred, each a quarter of the
    // panel wide up to 120 pixels, but never narrower than their captions.
    const int panelWidth = BottomPanel->width();
    QPushButton* const buttons[] = {AckBtn, SnoozeBtn, CloseBtn};
    int w = std::min(panelWidth / 4, 120);
    for (const QPushButton* b : buttons)
        w = std::max(w, b->sizeHint().width());
    const int count = static_cast<int>(std::size(buttons));
    int left = panelWidth / 2 - (count * w + (count - 1) * kButtonGap) / 2;
    const int top = (kBottomPanelHeight - kCloseBtnHeight) / 2;
    for (QPushButton* b : buttons) {
        b->setGeometry(left, top, w, kCloseBtnHeight);
        left += w + kButtonGap;
    }
}

void TScanFrm::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // Minimising closes the window.
    if (e->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, [this] { Run(&TScanFrm::CloseBtnClick); });
}

bool TScanFrm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ScanListView && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F1) {
            Run(&TScanFrm::HelpClick);
            return true;
        }
        if ((k->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
            void (TScanFrm::*command)() = nullptr;
            switch (k->key()) {
            case Qt::Key_X:
                command = &TScanFrm::ExitApplicationClick;
                break;
            case Qt::Key_A:
                command = &TScanFrm::AddEventClick;
                break;
            case Qt::Key_K:
                command = &TScanFrm::AcknowledgeClick;
                break;
            case Qt::Key_Z:
                command = &TScanFrm::SnoozeClick;
                break;
            case Qt::Key_D:
                command = &TScanFrm::DeleteEventClick;
                break;
            case Qt::Key_E:
                command = &TScanFrm::EditEventClick;
                break;
            default:
                break;
            }
            if (command) {
                Run(command);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TScanFrm::ExecModal() {
    QPointer<TScanFrm> self(this);
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (self)
        loop.exec();
}

TScanFrm* CreateDueWindow(TEventBookSignals& events) {
    return ScanFrm ? ScanFrm : new TScanFrm(events);
}

TScanFrm* ShowDueEventsWindow(TEventBookSignals& events) {
    TScanFrm* w = CreateDueWindow(events);
    w->show();
    w->raise();
    w->activateWindow();
    LastShownWindow = 2;
    return w;
}
