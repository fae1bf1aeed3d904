#include "ui/FrmOptn.h"
#include "core/Snooze.h"

#include "core/EventLists.h"
#include "core/Messages.h"
#include "core/TrNoop.h"
#include "platform/QtMessages.h"
#include "platform/ShellLink.h"
#include "store/EventBook.h"
#include "store/Settings.h"
#include "store/SettingsSchema.h"
#include "ui/AppIcon.h"
#include "ui/ClockCommands.h"
#include "ui/FileDialogs.h"
#include "ui/FrmHelp.h"
#include "ui/FrmMsg.h"
#include "ui/FrmScan.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSoundEffect>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

TOptionDlg* OptionDlg = nullptr;

namespace {

const char* const kShellLinkError = TW_TRANSLATE_NOOP(
    "Messages", "Shell Link Error. Check Windows Startup Folder for Tickwell Link File");
// The link's Comment; one equal to its Name is flagged by desktop-file-validate.
const char* const kLinkDescription =
    QT_TRANSLATE_NOOP("TOptionDlg", "Reminds you of the events that are due");
constexpr int kPageHelp[TOptionDlg::kPageCount] = {11, 13, 12, 26, 14, 99};
constexpr const char* kHelpProperty = "helpContext";

template <class TControl> TControl* Named(TControl* control, const char* name, int help = 0) {
    control->setObjectName(name);
    if (help)
        control->setProperty(kHelpProperty, help);
    return control;
}

QCheckBox* Check(const char* name, const QString& caption, int help) {
    return Named(new QCheckBox(caption), name, help);
}

QComboBox* List(const char* name, const QStringList& entries, int help) {
    auto* combo = Named(new QComboBox, name, help);
    combo->addItems(entries);
    return combo;
}

QLabel* Text(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

// A stored index the list cannot show leaves it without a choice, and is
// written back as it was unless the user picks an entry.
void LoadIndex(QComboBox* combo, int stored) {
    combo->setCurrentIndex(stored >= 0 && stored < combo->count() ? stored : -1);
    combo->setProperty("stored", stored);
}

int StoredIndex(const QComboBox* combo) {
    return combo->currentIndex() >= 0 ? combo->currentIndex() : combo->property("stored").toInt();
}

std::string OwnProgram() {
    return QCoreApplication::applicationFilePath().toStdString();
}

// The program and arguments of the start-up link. A link that cannot be
// read is reported and leaves both as the caller set them, so it counts as
// this program's, started without arguments.
bool ReadStartupLink(const std::string& link, std::string& target, std::string& arguments,
                     bool& enabled) {
    try {
        const TShellLinkInfo info = GetShellLinkInfo(link);
        target = info.PathName;
        arguments = info.Arguments;
        enabled = info.Enabled;
        return true;
    } catch (const EShellLinkError& e) {
        ShowMsg(std::string(kShellLinkError) + "\n" + e.what(), mkError);
        return false;
    }
}

QString Upper(const std::string& s) {
    return QString::fromStdString(s).toUpper();
}

} // namespace

TOptionDlg::TOptionDlg(TEventBook& book, QWidget* parent) : QDialog(parent), Book(book) {
    setObjectName("OptionDlg");
    setWindowTitle(tr("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    PageTabs = Named(new QTabWidget, "PageTabs");
    PageTabs->setUsesScrollButtons(false);
    PageTabs->addTab(GeneralPage(), tr("General"));
    PageTabs->addTab(EditingPage(), tr("Editing"));
    PageTabs->addTab(StartupPage(), tr("Start-up"));
    PageTabs->addTab(SystemPage(), tr("System"));
    PageTabs->addTab(SchedulePage(), tr("Schedule"));
    PageTabs->addTab(FiltersPage(), tr("Filters"));

    OKBtn = Named(new QPushButton(tr("&OK")), "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = Named(new QPushButton(tr("&Cancel")), "CancelBtn");
    HelpBtn = Named(new QPushButton(tr("&Help")), "HelpBtn");
    HelpBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TOptionDlg::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TOptionDlg::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { ShowHelpContext(kPageHelp[PageTabs->currentIndex()]); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { ShowHelpContext(HelpContext()); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn})
        buttons->addWidget(b);
    auto* root = new QVBoxLayout(this);
    root->addWidget(PageTabs);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    connect(WinStart, &QCheckBox::toggled, this, &TOptionDlg::WinStartClick);
    connect(UseTrayRad, &QRadioButton::toggled, this, [this] {
        TrayChoice = UseTrayRad->isChecked();
        UpdateControls();
    });
    for (int i = 0; i < 3; ++i) {
        connect(A[i], &QCheckBox::toggled, this, [this, i] { ScheduleClick(i); });
        connect(ABtn[i], &QToolButton::clicked, this, [this, i] { ScheduleBtnClick(i); });
    }
    connect(BackPageBtn, &QPushButton::clicked, this,
            [this] { PageTabs->setCurrentIndex(pgSystem); });

    OptionDlg = this;
    PageTabs->setCurrentIndex(pgGeneral);
    LoadValues();
}

TOptionDlg::~TOptionDlg() {
    if (OptionDlg == this)
        OptionDlg = nullptr;
}

// ---- pages ------------------------------------------------------------------

QWidget* TOptionDlg::GeneralPage() {
    BackChk = Check("BackChk", tr("Backup Events &Automatically on Exit"), 50);
    ShowNoEventsMsgChk =
        Check("ShowNoEventsMsgChk", tr("Show \"&No Events\" message if no Due Events"), 51);
    MessBeep = Check("MessBeep", tr("&Beep on Messages"), 53);
    StartWeek = Check("StartWeek", tr("Calendar week starts on &Sunday"), 60);
    WavEnable = Check("WavEnable", tr("&Play Sound File with Tickwells Window "), 54);
    WavEdit = Named(new QLineEdit, "WavEdit", 55);
    WavEdit->installEventFilter(this);
    WavEdit->setMinimumWidth(260);
    WavBrowseBtn = Named(new QToolButton, "WavBrowseBtn", 55);
    WavBrowseBtn->setText("...");
    WavBrowseBtn->setToolTip(tr("Browse for Sound file"));
    WavPlayBtn = Named(new QToolButton, "WavPlayBtn", 55);
    WavPlayBtn->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    WavPlayBtn->setToolTip(tr("Play the sound file"));
    connect(WavBrowseBtn, &QToolButton::clicked, this, &TOptionDlg::WavBrowseClick);
    connect(WavPlayBtn, &QToolButton::clicked, this, &TOptionDlg::WavPlayClick);
    // Chosen, never typed: a folder that is not there would only fail at
    // the next save.
    SyncFolderEdit = Named(new QLineEdit, "SyncFolderEdit", 66);
    SyncFolderEdit->setReadOnly(true);
    SyncFolderEdit->setPlaceholderText(tr("Off"));
    QPalette readOnly = SyncFolderEdit->palette();
    readOnly.setColor(QPalette::Base, readOnly.color(QPalette::Window));
    SyncFolderEdit->setPalette(readOnly);
    SyncBrowseBtn = Named(new QPushButton(tr("B&rowse...")), "SyncBrowseBtn", 66);
    SyncClearBtn = Named(new QPushButton(tr("C&lear")), "SyncClearBtn", 66);
    for (QPushButton* b : {SyncBrowseBtn, SyncClearBtn})
        b->setAutoDefault(false);
    connect(SyncBrowseBtn, &QPushButton::clicked, this, &TOptionDlg::SyncBrowseClick);
    connect(SyncClearBtn, &QPushButton::clicked, SyncFolderEdit, &QLineEdit::clear);

    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    for (QCheckBox* c : {BackChk, ShowNoEventsMsgChk, MessBeep, StartWeek, WavEnable})
        v->addWidget(c);
    auto* files = new QFormLayout;
    auto* wav = new QHBoxLayout;
    wav->addWidget(WavEdit, 1);
    wav->addWidget(WavBrowseBtn);
    wav->addWidget(WavPlayBtn);
    auto* wavLabel = new QLabel(tr("sound file:"));
    wavLabel->setBuddy(WavEdit);
    files->addRow(wavLabel, wav);
    auto* sync = new QHBoxLayout;
    sync->addWidget(SyncFolderEdit, 1);
    sync->addWidget(SyncBrowseBtn);
    sync->addWidget(SyncClearBtn);
    auto* syncLabel = new QLabel(tr("Sync fol&der:"));
    syncLabel->setBuddy(SyncFolderEdit);
    files->addRow(syncLabel, sync);
    files->addRow(QString(),
                  Text(tr("A folder with one .ics file for each event, for vdirsyncer to "
                          "keep in step with a calendar server; see Help.")));
    v->addLayout(files);
    v->addStretch(1);
    return page;
}

QWidget* TOptionDlg::EditingPage() {
    DfltType = List("DfltType",
                    {tr("Once only"), tr("Daily"), tr("Weekly"), tr("Monthly - Date"),
                     tr("Monthly - Day"), tr("Yearly"), tr("Accounting")},
                    56);
    DfltNotice = Named(new QSpinBox, "DfltNotice", 57);
    DfltNotice->setRange(1, 365);
    DfltInterval = Named(new QSpinBox, "DfltInterval", 58);
    DfltInterval->setRange(1, 52);
    DfltKeepFlag = Check("DfltKeepFlag", tr("New Events are \"&Keep on Screen\""), 59);
    EventDeleteConfirm =
        Check("EventDeleteConfirm", tr("Ask for confirmation before &Deleting Events"), 52);

    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(tr("Default New Event Type"), DfltType);
    form->addRow(tr("Default Notice Period"), DfltNotice);
    form->addRow(tr("Default Event Interval"), DfltInterval);
    v->addLayout(form);
    v->addWidget(DfltKeepFlag);
    v->addWidget(EventDeleteConfirm);
    v->addStretch(1);
    return page;
}

QWidget* TOptionDlg::StartupPage() {
    WinStart = Check("WinStart", tr("Launch Tickwell when your &session starts"), 61);
    QuickLaunch = Check("QuickLaunch", tr("&Quick Launch ( Tickwells Window only )"), 63);
    OnceDaily = Check("OnceDaily", tr("&Limit Quick launches to only once per day"), 62);
    QuickLaunch->setEnabled(false);
    OnceDaily->setEnabled(false);

    auto* page = new QWidget;
    page->setProperty(kHelpProperty, 64);
    auto* v = new QVBoxLayout(page);
    v->addWidget(WinStart);
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(24, 0, 0, 0);
    indented->addWidget(QuickLaunch);
    indented->addWidget(OnceDaily);
    v->addLayout(indented);
    v->addSpacing(12);
    v->addWidget(
        Text(tr("( Launch Tickwell every time you log in or limit to once per day. Display "
                "only due events in the Tickwells Window by selecting \"Quick Launch\" )")));
    v->addStretch(1);
    return page;
}

QWidget* TOptionDlg::SystemPage() {
    NoTrayRad = Named(new QRadioButton(tr("Don't use System Tray")), "NoTrayRad", 90);
    UseTrayRad = Named(new QRadioButton(tr("Use System Tray")), "UseTrayRad", 91);
    NoTrayText = Text(tr("Tickwell will start with this window next time and use the taskbar not "
                         "system tray. Scheduling will not be available."));
    TrayText = Text(tr("Tickwell will launch into the system tray next time and display this "
                       "window. Scheduling will be enabled."));
    MainWindowCombo = List("MainWindowCombo",
                           {tr("Main Window"), tr("Tickwells Window"), tr("Calendar Window")}, 92);
    TrayWindowCombo = List("TrayWindowCombo",
                           {tr("Main Window"), tr("Tickwells Window"), tr("Calendar Window"),
                            tr("None ( minimized )")},
                           93);
    ShowClock = Check("ShowClock", tr("&Clock visible on start-up"), 65);

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(NoTrayRad, 0, 0);
    grid->addWidget(UseTrayRad, 0, 1);
    grid->addWidget(NoTrayText, 1, 0);
    grid->addWidget(TrayText, 1, 1);
    grid->addWidget(MainWindowCombo, 2, 0);
    grid->addWidget(TrayWindowCombo, 2, 1);
    grid->addWidget(ShowClock, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(0, 200);
    grid->setColumnMinimumWidth(1, 200);
    grid->setRowStretch(4, 1);
    for (QLabel* l : {NoTrayText, TrayText})
        l->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    return page;
}

QWidget* TOptionDlg::SchedulePage() {
    SchedPanel = Named(new QGroupBox(tr("Popup Tickwells Window Schedule")), "SchedPanel");
    auto* grid = new QGridLayout(SchedPanel);
    static const char* const checks[] = {"A1", "A2", "A3"};
    static const char* const edits[] = {"A1Edit", "A2Edit", "A3Edit"};
    static const char* const buttons[] = {"A1Btn", "A2Btn", "A3Btn"};
    for (int i = 0; i < 3; ++i) {
        A[i] = Check(checks[i], tr("Schedule %1").arg(i + 1), 69);
        AEdit[i] = Named(new QLineEdit, edits[i], 69);
        AEdit[i]->setReadOnly(true);
        AEdit[i]->setFixedWidth(AEdit[i]->fontMetrics().horizontalAdvance("00:00000"));
        AEdit[i]->setEnabled(false);
        ABtn[i] = Named(new QToolButton, buttons[i], 69);
        ABtn[i]->setText("...");
        ABtn[i]->setToolTip(tr("Set the time"));
        ABtn[i]->setEnabled(false);
        grid->addWidget(A[i], i, 0);
        grid->addWidget(AEdit[i], i, 1);
        grid->addWidget(ABtn[i], i, 2);
    }
    grid->setColumnStretch(3, 1);
    WinExit = Check("WinExit", tr("Display Due Tickwells when the session ends"), 70);
    NotifyChk = Check("NotifyChk", tr("Also show a desktop &notification"), 69);
    grid->addWidget(NotifyChk, 3, 0, 1, 4);
    grid->addWidget(WinExit, 4, 0, 1, 4);
    grid->setRowStretch(5, 1);

    NoSchedPanel = Named(new QWidget, "NoSchedPanel");
    auto* nv = new QVBoxLayout(NoSchedPanel);
    nv->addWidget(Text(tr("Scheduled Tickwells unavailable. For scheduling  Tickwell must  operate "
                          "from the System Tray. See the \"System\" page of the Options Dialog.")));
    BackPageBtn = Named(new QPushButton(tr("<< To \"System\" Page")), "BackPageBtn");
    BackPageBtn->setAutoDefault(false);
    nv->addWidget(BackPageBtn, 0, Qt::AlignLeft);
    nv->addStretch(1);

    // One of the two shows; the page keeps the size of the larger.
    SchedStack = new QStackedWidget;
    SchedStack->addWidget(SchedPanel);
    SchedStack->addWidget(NoSchedPanel);
    // Snoozing works in every mode, so the period stays outside the panel.
    SnoozeCombo = Named(new QComboBox, "SnoozeCombo", 69);
    SnoozeCombo->addItem(tr("15 minutes"), 15);
    SnoozeCombo->addItem(tr("1 hour"), 60);
    SnoozeCombo->addItem(tr("4 hours"), 240);
    SnoozeCombo->addItem(tr("Until tomorrow"), kSnoozeUntilTomorrow);
    auto* snoozeLabel = new QLabel(tr("Snoo&ze reminders for:"));
    snoozeLabel->setBuddy(SnoozeCombo);
    auto* snoozeRow = new QHBoxLayout;
    snoozeRow->addWidget(snoozeLabel);
    snoozeRow->addWidget(SnoozeCombo);
    snoozeRow->addStretch(1);
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->addWidget(SchedStack, 1);
    v->addLayout(snoozeRow);
    return page;
}

QWidget* TOptionDlg::FiltersPage() {
    FilterPastChk = Check("FilterPastChk", tr("Filter Old Events from Tickwells Window"), 94);
    FilterMainChk =
        Check("FilterMainChk", tr("Filter Old Events from the Main Window List View"), 95);
    auto* page = new QWidget;
    page->setProperty(kHelpProperty, 96);
    auto* v = new QVBoxLayout(page);
    v->addWidget(FilterPastChk);
    v->addWidget(FilterMainChk);
    v->addStretch(1);
    return page;
}

// ---- opening ----------------------------------------------------------------

void TOptionDlg::LoadStartupLink() {
    const std::string link = StartupLinkPath();
    std::error_code ec;
    if (!std::filesystem::exists(link, ec))
        return;
    std::string target = OwnProgram();
    std::string arguments;
    bool enabled = true;
    const bool readable = ReadStartupLink(link, target, arguments, enabled);
    WinStart->setChecked(enabled && SameProgramFile(OwnProgram(), target));
    QuickLaunch->setChecked(Upper(arguments) == "/Q");
    LinkedAtOpen = readable && WinStart->isChecked();
    QuickAtOpen = QuickLaunch->isChecked();
}

void TOptionDlg::LoadValues() {
    LoadStartupLink();

    // A page with a value that cannot be read (the store has said which) is
    // left as it is: its controls would show defaults, not what is stored.
    const TWinRegistry opened;
    QStringList pages;
    auto load = [&](TPage page, const std::function<void(const TWinRegistry&)>& read) {
        const size_t before = opened.UnreadableValues().size();
        read(opened);
        Loaded[page] = opened.StoreRead() && opened.UnreadableValues().size() == before;
        if (!Loaded[page]) {
            pages << "\"" + PageTabs->tabText(page) + "\"";
            PageTabs->widget(page)->setEnabled(false);
        }
    };

    load(pgSchedule, [this](const TWinRegistry& reg) {
        const std::string times[] = {ReadSetting(reg, kAlarm0), ReadSetting(reg, kAlarm1),
                                     ReadSetting(reg, kAlarm2)};
        for (int i = 0; i < 3; ++i) {
            AEdit[i]->setText(QString::fromStdString(times[i]));
            A[i]->setChecked(!times[i].empty());
        }
        WinExit->setChecked(ReadSetting(reg, kWinExShow));
        NotifyChk->setChecked(ReadSetting(reg, kNotify));
        // A period set by hand that the list lacks is shown, and kept.
        const int minutes = ReadSetting(reg, kSnoozeMinutes);
        if (SnoozeCombo->findData(minutes) < 0)
            SnoozeCombo->addItem(tr("%1 minutes").arg(minutes), minutes);
        SnoozeCombo->setCurrentIndex(SnoozeCombo->findData(minutes));
    });
    load(pgGeneral, [this](const TWinRegistry& reg) {
        BackChk->setChecked(ReadSetting(reg, kAutoBackup));
        ShowNoEventsMsgChk->setChecked(ReadSetting(reg, kShowNoEventsMsg));
        MessBeep->setChecked(ReadSetting(reg, kBeep));
        StartWeek->setChecked(ReadSetting(reg, kSunStartWeek));
        WavEnable->setChecked(ReadSetting(reg, kPlayWav));
        const std::string wav = ReadSetting(reg, kWavFile);
        if (!wav.empty())
            WavEdit->setText(QString::fromStdString(wav));
        SyncFolderEdit->setText(QString::fromStdString(ReadSetting(reg, kSyncFolder)));
    });
    load(pgEditing, [this](const TWinRegistry& reg) {
        LoadIndex(DfltType, ReadSetting(reg, kDfltEventType));
        DfltNotice->setValue(ReadSetting(reg, kDfltNotice));
        DfltInterval->setValue(ReadSetting(reg, kDfltInterval));
        DfltKeepFlag->setChecked(ReadSetting(reg, kDfltKeepFlag));
        EventDeleteConfirm->setChecked(ReadSetting(reg, kEventDeleteConfirm));
    });
    load(pgStartup,
         [this](const TWinRegistry& reg) { OnceDaily->setChecked(ReadSetting(reg, kOnceDaily)); });
    load(pgSystem, [this](const TWinRegistry& reg) {
        LoadIndex(MainWindowCombo, ReadSetting(reg, kMainWindow));
        LoadIndex(TrayWindowCombo, ReadSetting(reg, kTrayWindow));
        ShowClock->setChecked(ReadSetting(reg, kShowClock));
        TrayChoice = ReadSetting(reg, kTrayIcon);
    });
    load(pgFilters, [this](const TWinRegistry& reg) {
        FilterPastChk->setChecked(Book.MasterList.FilterPast);
        FilterMainChk->setChecked(ReadSetting(reg, kFilterMain));
    });

    (TrayChoice ? UseTrayRad : NoTrayRad)->setChecked(true);
    UpdateControls();
    WinStartClick();
    if (pages.isEmpty())
        return;
    QStringList names;
    for (const std::string& name : opened.UnreadableValues())
        if (!names.contains("\"" + QString::fromStdString(name) + "\""))
            names << "\"" + QString::fromStdString(name) + "\"";
    ShowMsg(
        ((names.isEmpty() ? tr("The settings could not be read")
                          : tr("The setting(s) ") + names.join(", ") + tr(" could not be read")) +
         tr(", so the options on the page(s) ") + pages.join(", ") +
         tr(" are left as they are and cannot be changed now."))
            .toStdString(),
        mkWarning);
}

// ---- control rules ----------------------------------------------------------

void TOptionDlg::UpdateControls() {
    ShowClock->setEnabled(TrayChoice);
    TrayWindowCombo->setEnabled(TrayChoice);
    TrayText->setEnabled(TrayChoice);
    MainWindowCombo->setEnabled(!TrayChoice);
    NoTrayText->setEnabled(!TrayChoice);
    SchedStack->setCurrentWidget(TrayChoice ? static_cast<QWidget*>(SchedPanel) : NoSchedPanel);
}

void TOptionDlg::WinStartClick() {
    OnceDaily->setEnabled(WinStart->isChecked());
    QuickLaunch->setEnabled(WinStart->isChecked());
}

void TOptionDlg::ScheduleClick(int i) {
    AEdit[i]->setEnabled(A[i]->isChecked());
    ABtn[i]->setEnabled(A[i]->isChecked());
    // A schedule without a time would be stored as off: the time is asked
    // for at once.
    if (A[i]->isChecked() && AEdit[i]->text().isEmpty() && isVisible()) {
        ScheduleBtnClick(i);
        if (AEdit[i]->text().isEmpty())
            A[i]->setChecked(false);
    }
}

void TOptionDlg::ScheduleBtnClick(int i) {
    if (!ClockLinks().EditTime)
        return;
    std::string time = AEdit[i]->text().left(8).toStdString();
    if (ClockLinks().EditTime(time))
        AEdit[i]->setText(QString::fromStdString(time));
}

void TOptionDlg::WavBrowseClick() {
    const QString file = ChooseOpenFile(
        this, {tr("Browse for Sound file"), QDir::homePath(), {tr("Wav Files (*.wav)")}, "wav"});
    if (!file.isEmpty())
        WavEdit->setText(file);
}

void TOptionDlg::WavPlayClick() {
    const QString file = WavEdit->text();
    if (!QFileInfo(file).isFile()) {
        ShowMsg(file.isEmpty() ? tr("Choose a sound file first.")
                               : tr("The sound file %1 cannot be found.").arg(file),
                mkWarning);
        return;
    }
    if (!Sound)
        Sound = new QSoundEffect(this);
    Sound->setSource(QUrl::fromLocalFile(file));
    Sound->play();
}

void TOptionDlg::SyncBrowseClick() {
    const QString folder =
        ChooseFolder(this, tr("Select the sync folder:"),
                     SyncFolderEdit->text().isEmpty() ? QDir::homePath() : SyncFolderEdit->text());
    // The sync state beside the data file names the folder as stored: one
    // folder, one spelling.
    if (!folder.isEmpty())
        SyncFolderEdit->setText(QDir::cleanPath(folder));
}

// A file dropped on the sound file box puts its path there.
bool TOptionDlg::eventFilter(QObject* watched, QEvent* e) {
    if (watched != WavEdit)
        return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDropEvent*>(e);
        if (drag->mimeData()->hasUrls() && drag->mimeData()->urls().first().isLocalFile()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (e->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(e);
        if (drop->mimeData()->hasUrls() && drop->mimeData()->urls().first().isLocalFile()) {
            WavEdit->setText(drop->mimeData()->urls().first().toLocalFile());
            drop->acceptProposedAction();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

int TOptionDlg::HelpContext() const {
    for (const QWidget* w = focusWidget(); w && w != this; w = w->parentWidget())
        if (const QVariant help = w->property(kHelpProperty); help.isValid())
            return help.toInt();
    return kPageHelp[PageTabs->currentIndex()];
}

// ---- closing ----------------------------------------------------------------

void TOptionDlg::accept() {
    // The tray choice takes effect at the next start: a choice that differs
    // from this run's is confirmed first.
    if (Loaded[pgSystem] && (StartMode == smTray) != TrayChoice &&
        !ConfirmTrayChoice(TrayChoice, this))
        return;
    QDialog::accept();
}

void TOptionDlg::ApplyOptions() {
    // Written only: each window follows the settings it uses.
    TSettings settings;
    if (Loaded[pgSchedule])
        ApplySchedule(settings);
    if (Loaded[pgGeneral])
        ApplyGeneral(settings);
    if (Loaded[pgEditing])
        ApplyEditing(settings);
    if (Loaded[pgSystem])
        ApplySystem(settings);
    if (Loaded[pgFilters])
        ApplyFilters(settings);
    if (Loaded[pgStartup]) {
        settings.Set(kOnceDaily, OnceDaily->isChecked());
        // Last: a link that cannot be written leaves every other option
        // saved.
        ApplyStartup();
    }
}

void TOptionDlg::ApplySchedule(TSettings& settings) {
    const TStringSetting* alarms[] = {&kAlarm0, &kAlarm1, &kAlarm2};
    for (int i = 0; i < 3; ++i)
        settings.Set(*alarms[i], A[i]->isChecked() ? AEdit[i]->text().toStdString() : "");
    settings.Set(kWinExShow, WinExit->isChecked());
    settings.Set(kNotify, NotifyChk->isChecked());
    settings.Set(kSnoozeMinutes, SnoozeCombo->currentData().toInt());
}

void TOptionDlg::ApplyGeneral(TSettings& settings) {
    settings.Set(kShowNoEventsMsg, ShowNoEventsMsgChk->isChecked());
    settings.Set(kAutoBackup, BackChk->isChecked());
    settings.Set(kSunStartWeek, StartWeek->isChecked());
    settings.Set(kPlayWav, WavEnable->isChecked());
    settings.Set(kBeep, MessBeep->isChecked());
    // As the user gave it: file names are case-sensitive here.
    settings.Set(kWavFile, WavEdit->text().toStdString());
    settings.Set(kSyncFolder, SyncFolderEdit->text().toStdString());
}

void TOptionDlg::ApplyEditing(TSettings& settings) {
    settings.Set(kDfltKeepFlag, DfltKeepFlag->isChecked());
    settings.Set(kEventDeleteConfirm, EventDeleteConfirm->isChecked());
    settings.Set(kDfltNotice, DfltNotice->value());
    settings.Set(kDfltInterval, DfltInterval->value());
    settings.Set(kDfltEventType, StoredIndex(DfltType));
}

void TOptionDlg::ApplySystem(TSettings& settings) {
    settings.Set(kShowClock, ShowClock->isChecked());
    settings.Set(kMainWindow, StoredIndex(MainWindowCombo));
    settings.Set(kTrayWindow, StoredIndex(TrayWindowCombo));
    settings.Set(kTrayIcon, TrayChoice);
}

void TOptionDlg::ApplyFilters(TSettings& settings) {
    settings.Set(kFilterMain, FilterMainChk->isChecked());
    settings.Set(kFilterPast, FilterPastChk->isChecked());
    // The past-events filter is the list's own, not read back from the
    // settings: it is set on the list, which scans again.
    if (Book.MasterList.FilterPast != FilterPastChk->isChecked()) {
        Book.MasterList.FilterPast = FilterPastChk->isChecked();
        Book.Scan();
    }
}

void TOptionDlg::ApplyStartup() {
    if (WinStart->isChecked()) {
        if (!LinkedAtOpen || QuickLaunch->isChecked() != QuickAtOpen)
            WriteStartupLink();
        return;
    }
    const std::string link = StartupLinkPath();
    std::error_code ec;
    if (!std::filesystem::exists(link, ec))
        return;
    std::string target = OwnProgram();
    std::string arguments;
    bool enabled = true;
    ReadStartupLink(link, target, arguments, enabled);
    // A link that starts another copy of the program is not this one's to
    // remove.
    if (SameProgramFile(OwnProgram(), target) && !std::filesystem::remove(link, ec) && ec)
        ShowMsg(std::string(kShellLinkError) + "\n" + tr("Unable to remove ").toStdString() + link +
                    ": " + ec.message(),
                mkError);
}

void TOptionDlg::WriteStartupLink() {
    try {
        const std::string icon = AppIconName().toStdString();
        const std::string link =
            CreateShellLink(OwnProgram(), tr(kLinkDescription).toStdString(), "Startup", icon);
        if (QuickLaunch->isChecked()) {
            TShellLinkInfo info;
            info.PathName = OwnProgram();
            info.Arguments = "/q";
            info.Description = kLinkDescription;
            info.IconLocation = icon;
            SetShellLinkInfo(link, info);
        }
    } catch (const TTickwellError& e) {
        ShowMsg(std::string(kShellLinkError) + "\n" + e.what(), mkError);
    }
}

// ---- the command --------------------------------------------------------------

void ShowOptionDlg(TEventBook& book, bool schedulePage) {
    if (OptionDlg) {
        OptionDlg->raise();
        OptionDlg->activateWindow();
        return;
    }
    // Over the window it was asked from; the desktop clock is no window to
    // centre on.
    QWidget* over = QApplication::activeWindow();
    if (over && (!over->isVisible() || over->windowFlags().testFlag(Qt::Tool)))
        over = nullptr;
    // A window that goes while the dialog is open takes it along.
    QPointer<TOptionDlg> dlg = new TOptionDlg(book, over);
    if (schedulePage)
        dlg->PageTabs->setCurrentIndex(TOptionDlg::pgSchedule);
    const bool ok = dlg->exec() == QDialog::Accepted;
    if (!dlg)
        return;
    if (ok)
        dlg->ApplyOptions();
    delete dlg;
}
