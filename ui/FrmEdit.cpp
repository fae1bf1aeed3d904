#include "ui/FrmEdit.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventId.h"
#include "core/EventLists.h"
#include "core/FormatSettings.h"
#include "core/HalvaneDates.h"
#include "core/Messages.h"
#include "core/NewEventRules.h"
#include "core/TickwellItem.h"
#include "platform/QtMessages.h"
#include "store/BusyCursor.h"
#include "store/DataFileSync.h"
#include "store/EventBook.h"
#include "store/ReadOnlyMode.h"
#include "store/SettingsSchema.h"
#include "ui/DateBox.h"
#include "ui/DescriptionEdit.h"
#include "ui/FrmHelp.h"
#include "ui/WindowLinks.h"
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

TEditFrm* EditFrm = nullptr;

namespace {

QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TEditFrm::TEditFrm(QWidget* parent) : QDialog(parent) {
    setObjectName("EditFrm");
    setWindowTitle(tr("Add Event"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    // ---- top panel ----
    auto* top = new QWidget;
    auto* tg = new QGridLayout(top);
    tg->setContentsMargins(0, 0, 0, 0);
    DescriptionEdit = new TDescriptionEdit;
    DescriptionEdit->setObjectName("DescriptionEdit");
    DescriptionEdit->setFixedHeight(DescriptionEdit->fontMetrics().lineSpacing() * 4 + 12);
    DescriptionRoom = new QLabel;
    DescriptionRoom->setObjectName("DescriptionRoom");
    QFont small = DescriptionRoom->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    DescriptionRoom->setFont(small);
    DescriptionRoom->setForegroundRole(QPalette::PlaceholderText);
    // A long note about a refused character must not widen the dialog.
    DescriptionRoom->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    DescriptionRoom->setAlignment(Qt::AlignRight | Qt::AlignTop);
    EventDate = new TDateBox;
    EventDate->setObjectName("EventDate");
    Notice = new QSpinBox;
    Notice->setObjectName("Notice");
    Notice->setRange(kMinNotice, kMaxNotice);
    Notice->setSingleStep(1);
    Once = new QRadioButton(tr("Once only "));
    Once->setObjectName("Once");
    Rept = new QRadioButton(tr("Repeating..."));
    Rept->setObjectName("Rept");
    Rept->setChecked(true);
    Keep = new QCheckBox(tr("Keep on screen"));
    Keep->setObjectName("Keep");
    OkBtn = new QPushButton(tr("&OK"));
    OkBtn->setObjectName("OkBtn");
    CancelBtn = new QPushButton(tr("&Cancel"));
    CancelBtn->setObjectName("CancelBtn");
    HelpBtn = new QPushButton(tr("&Help"));
    HelpBtn->setObjectName("HelpBtn");
    // Enter in a one-line field presses OK; the description keeps it for
    // its line breaks.
    OkBtn->setDefault(true);

    tg->addWidget(Caption(tr("Description"), DescriptionEdit), 0, 0, 1, 4);
    tg->addWidget(DescriptionEdit, 1, 0, 1, 4);
    tg->addWidget(DescriptionRoom, 2, 0, 1, 4);
    tg->addWidget(Caption(tr("Starting On:"), EventDate), 3, 0);
    tg->addWidget(EventDate, 3, 1);
    tg->addWidget(Caption(tr("Notice Period"), Notice), 3, 2, Qt::AlignRight);
    tg->addWidget(Notice, 3, 3);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(Once);
    kinds->addWidget(Rept);
    kinds->addStretch(1);
    kinds->addWidget(Keep);
    tg->addLayout(kinds, 4, 0, 1, 4);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    buttons->addStretch(1);
    tg->addLayout(buttons, 1, 4, 4, 1);
    tg->setColumnStretch(1, 1);
    tg->setColumnMinimumWidth(1, 130);

    // ---- repeat panel ----
    RepeatPanel = new QFrame;
    RepeatPanel->setObjectName("RepeatPanel");
    RepeatPanel->setFrameShape(QFrame::StyledPanel);
    RepeatPanel->setFrameShadow(QFrame::Sunken);
    auto* pg = new QGridLayout(RepeatPanel);
    TypeCombo = new QComboBox;
    TypeCombo->setObjectName("TypeCombo");
    TypeCombo->addItems({tr("Daily"), tr("Weekly"), tr("Monthly (Date)"), tr("Monthly (Day)"),
                         tr("Yearly"), tr("Accounting")});
    DayIndex = new QComboBox;
    DayIndex->setObjectName("DayIndex");
    DayIndex->addItems({tr("Sunday"), tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"),
                        tr("Friday"), tr("Saturday")});
    IntervalSpin = new QSpinBox;
    IntervalSpin->setObjectName("IntervalSpin");
    IntervalSpin->setRange(kMinInterval, kMaxInterval);
    IntervalSpin->setSingleStep(1);
    Combo = new QComboBox;
    Combo->setObjectName("Combo");
    Combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo->setMinimumContentsLength(36);
    NoEndRad = new QRadioButton(tr("No End Point"));
    NoEndRad->setObjectName("NoEndRad");
    NoEndRad->setChecked(true);
    UntilRad = new QRadioButton(tr("Repeat Until"));
    UntilRad->setObjectName("UntilRad");
    DateBox = new TDateBox;
    DateBox->setObjectName("DateBox");
    // As wide as the start date box, so a long date is not cut off.
    DateBox->setMinimumWidth(130);

    pg->addWidget(Caption(tr("Occurs"), TypeCombo), 0, 0);
    pg->addWidget(TypeCombo, 0, 1);
    pg->addWidget(Caption(tr("Index Day"), DayIndex), 0, 2, Qt::AlignRight);
    pg->addWidget(DayIndex, 0, 3);
    pg->addWidget(Caption(tr("Interval"), IntervalSpin), 0, 4, Qt::AlignRight);
    pg->addWidget(IntervalSpin, 0, 5);
    pg->addWidget(Caption(tr("Specifically"), Combo), 1, 0);
    pg->addWidget(Combo, 1, 1, 1, 5);
    auto* ends = new QHBoxLayout;
    ends->addWidget(NoEndRad);
    ends->addSpacing(12);
    ends->addWidget(UntilRad);
    ends->addWidget(DateBox);
    ends->addStretch(1);
    pg->addLayout(ends, 2, 0, 1, 6);
    pg->setColumnStretch(1, 1);

    auto* root = new QVBoxLayout(this);
    // No spacing between the panels: hiding the repeat panel then shortens
    // the dialog by exactly the panel's height.
    root->setSpacing(0);
    root->addWidget(top);
    root->addSpacing(0);
    root->addWidget(RepeatPanel);

    // The two end-point buttons form their own group.
    auto* endGroup = new QButtonGroup(this);
    endGroup->addButton(NoEndRad);
    endGroup->addButton(UntilRad);

    // Tab order: the fields as they are laid out, top panel then repeat
    // panel, and the buttons last.
    QWidget* order[] = {DescriptionEdit, EventDate, Notice,       Once,   Rept,     Keep,
                        TypeCombo,       DayIndex,  IntervalSpin, Combo,  NoEndRad, UntilRad,
                        DateBox,         OkBtn,     CancelBtn,    HelpBtn};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    // Under the box: what was just left out, else the room left.
    const auto showNote = [this] {
        const QString& refused = DescriptionEdit->Refused();
        DescriptionRoom->setText(refused.isEmpty() ? RoomLeftText(DescriptionEdit->RoomLeft())
                                                   : refused);
        DescriptionRoom->setForegroundRole(refused.isEmpty() ? QPalette::PlaceholderText
                                                             : QPalette::WindowText);
    };
    connect(DescriptionEdit, &QPlainTextEdit::textChanged, this, showNote);
    connect(DescriptionEdit, &TDescriptionEdit::refusedChanged, this, showNote);
    showNote();
    connect(OkBtn, &QPushButton::clicked, this, &TEditFrm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TEditFrm::reject);
    connect(HelpBtn, &QPushButton::clicked, this, &TEditFrm::HelpBtnClick);
    connect(TypeCombo, &QComboBox::currentIndexChanged, this, &TEditFrm::TypeComboChange);
    connect(DayIndex, &QComboBox::currentIndexChanged, this, &TEditFrm::DayIndexChange);
    connect(IntervalSpin, &QSpinBox::valueChanged, this, &TEditFrm::IntervalChange);
    connect(EventDate, &TDateBox::dateChanged, this, &TEditFrm::EventDateChange);
    connect(Once, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OnceClick();
    });
    connect(Rept, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ReptClick();
    });
    for (QRadioButton* r : {NoEndRad, UntilRad})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                EndChoiceClick();
        });

    // FormCreate.
    const TFormatSettings& fs = FormatSettings();
    for (int i = 1; i <= 7; ++i)
        LongDayNames[static_cast<size_t>(i)] = fs.LongDayNames[static_cast<size_t>(i - 1)];
    for (int k = 0; k < 4; ++k)
        WeekOrdinals[static_cast<size_t>(k)] = Ordinal(k + 1);
    WeekOrdinals[4] = tr("Last");
    NoEndFlag = true;
    DateBox->setEnabled(false);
    // Until loaded or defaulted, both boxes show today rather than Qt's
    // default date.
    EventDate->SetDateValue(Today());
    DateBox->SetDateValue(Today());

    if (CalendarLinks().Window && CalendarLinks().SelectedDate &&
        QApplication::activeWindow() == CalendarLinks().Window) {
        CalendarActive = true;
        CalendarDate = CalendarLinks().SelectedDate();
    }
    EditFrm = this;
}

TEditFrm::~TEditFrm() {
    if (EditFrm == this)
        EditFrm = nullptr;
}

TDateTime TEditFrm::StartDateNow() const {
    return FromQDate(EventDate->date());
}

void TEditFrm::LoadEvent(const TTickwellItem& e) {
    EditingFlag = true;
    DescriptionEdit->SetDescription(e.Description);
    EventDate->SetDateValue(e.StartDate);
    setWindowTitle(tr("Edit Event"));
    if (!e.NoEndPoint)
        UntilRad->setChecked(true);
    if (!NoEndFlag)
        DateBox->SetDateValue(e.EndDate);
    TypeCombo->setCurrentIndex(e.EventType <= 5 ? e.EventType : -1);
    Notice->setValue(e.NoticePeriod);
    IntervalSpin->setValue(e.Interval);
    Keep->setChecked(e.KeepFlag);
    DayIndex->setCurrentIndex(e.Weekday >= 1 && e.Weekday <= 7 ? e.Weekday - 1 : -1);
    OnceOnlyFlag = e.Simple;
    OriginalRank = e.Rank;
    OriginalWeekday = e.Weekday;
    SetUpControls();
    Combo->setCurrentIndex(e.Rank >= 0 && e.Rank < Combo->count() ? e.Rank : -1);
}

void TEditFrm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!ShownFlag && !e->spontaneous())
        FormShow();
}

void TEditFrm::FormShow() {
    const TWinRegistry reg;
    if (!EditingFlag) {
        DescriptionEdit->SetDescription(std::string());
        const TDateTime start = CalendarActive ? DateOf(CalendarDate) : Today();
        {
            // The defaults go in before the lists are built once below.
            const QSignalBlocker quietDate(EventDate), quietType(TypeCombo), quietDay(DayIndex),
                quietInterval(IntervalSpin);
            EventDate->SetDateValue(start);
            DayIndex->setCurrentIndex(DayOfWeek(start) - 1);
            IntervalSpin->setValue(ReadSetting(reg, kDfltInterval));
            Notice->setValue(ReadSetting(reg, kDfltNotice));
            int t = ReadSetting(reg, kDfltEventType);
            // The options offer 0 "Once only" .. 6 "Accounting"; anything else
            // starts as once only.
            if (t < 0 || t > 6)
                t = 0;
            TypeCombo->setCurrentIndex(t >= 1 ? t - 1 : 0);
            if (t == 0)
                OnceOnlyFlag = true;
        }
        Keep->setChecked(ReadSetting(reg, kDfltKeepFlag));
        SetUpControls();
        Combo->setCurrentIndex(0);
    }
    if (QLayout* l = layout())
        l->activate();
    adjustSize();
    FullHeightValue = height();
    setFixedWidth(width());
    DescriptionEdit->setFocus();
    ResizeForm();
    if (OnceOnlyFlag)
        Once->setChecked(true);
    ShownFlag = true;
    const bool sunday = ReadSetting(reg, kSunStartWeek);
    EventDate->SetWeekStart(sunday);
    DateBox->SetWeekStart(sunday);
}

void TEditFrm::ResizeForm() {
    if (OnceOnlyFlag) {
        RepeatPanel->hide();
        setFixedHeight(FullHeightValue - RepeatPanel->height());
    } else {
        RepeatPanel->show();
        setFixedHeight(FullHeightValue);
    }
    if (!ShownFlag) {
        if (const QScreen* s = screen() ? screen() : QApplication::primaryScreen()) {
            const QRect g = s->geometry();
            move(g.left() + (g.width() - width()) / 2,
                 g.top() + (g.height() - FullHeightValue) / 2);
        }
    }
    if (isVisible())
        DescriptionEdit->setFocus();
}

void TEditFrm::OnceClick() {
    OnceOnlyFlag = Once->isChecked();
    ResizeForm();
}

void TEditFrm::ReptClick() {
    OnceOnlyFlag = !Rept->isChecked();
    ResizeForm();
}

void TEditFrm::EndChoiceClick() {
    NoEndFlag = NoEndRad->isChecked();
    if (NoEndFlag) {
        DateBox->setEnabled(false);
    } else {
        DateBox->SetDateValue(std::max(Today(), StartDateNow()));
        DateBox->setEnabled(true);
    }
}

void TEditFrm::TypeComboChange() {
    if (isVisible())
        SetUpControls();
}

void TEditFrm::DayIndexChange() {
    if (isVisible())
        SetUpControls();
}

void TEditFrm::IntervalChange() {
    if (isVisible())
        SetUpControls();
}

// A new start date brings the Index Day and the generated texts (the Weekly
// text names the start date's weekday) up to date at once.
void TEditFrm::EventDateChange() {
    if (!isVisible())
        return;
    {
        const QSignalBlocker block(DayIndex);
        DayIndex->setCurrentIndex(DayOfWeek(StartDateNow()) - 1);
    }
    SetUpControls();
}

void TEditFrm::HelpBtnClick() {
    ShowHelpContext(8);
}

void TEditFrm::SetUpControls() {
    const int remembered = Combo->currentIndex();
    IntervalSpin->setEnabled(true);
    const int interval = IntervalSpin->value();
    const QString n = QString::number(interval);
    auto single = [this](const QString& text) {
        Combo->clear();
        Combo->addItem(text);
        Combo->setCurrentIndex(0);
    };
    auto restore = [this, remembered] {
        Combo->setCurrentIndex(remembered >= 0 && remembered < Combo->count() ? remembered : 0);
    };
    switch (TypeCombo->currentIndex()) {
    case etDaily:
        single(interval == 1 ? tr("Every day") : tr("Every %1 days").arg(n));
        DayIndex->setEnabled(false);
        break;
    case etWeekly: {
        const QString w =
            QString::fromStdString(LongDayNames[static_cast<size_t>(DayOfWeek(StartDateNow()))]);
        single(interval == 1 ? tr("Every week on %1").arg(w)
                             : tr("Every %1 weeks on %2").arg(n, w));
        DayIndex->setEnabled(false);
        break;
    }
    case etMonthlyDate:
        DoMonthDates();
        restore();
        DayIndex->setEnabled(false);
        break;
    case etMonthlyDay:
        DoMonthDays();
        restore();
        DayIndex->setEnabled(true);
        break;
    case etYearly:
        single(interval == 1 ? tr("Every year on the same date")
                             : tr("Every %1 years on the same date").arg(n));
        DayIndex->setEnabled(false);
        break;
    case etAccounting:
        single(tr("Accounting Period End"));
        DayIndex->setEnabled(false);
        IntervalSpin->setEnabled(false);
        break;
    default:
        break;
    }
}

void TEditFrm::DoMonthDates() {
    const int interval = IntervalSpin->value();
    const QString n = QString::number(interval);
    QStringList items;
    items << (interval == 1 ? tr("On the same day every month")
                            : tr("On the same day every %1 months").arg(n));
    for (int k = 1; k <= 22; ++k)
        items << (interval == 1 ? tr("On the %1 Working Day every month").arg(Ordinal(k))
                                : tr("On the %1 Working Day every %2 months").arg(Ordinal(k), n));
    items << (interval == 1 ? tr("On the last Working day every month")
                            : tr("On the last Working day every %1 months").arg(n));
    Combo->clear();
    Combo->addItems(items);
}

void TEditFrm::DoMonthDays() {
    const int interval = IntervalSpin->value();
    const int day = DayIndex->currentIndex() + 1;
    const QString w =
        QString::fromStdString(day >= 1 && day <= 7 ? LongDayNames[static_cast<size_t>(day)] : "");
    const QString n = QString::number(interval);
    QStringList items;
    for (const QString& o : WeekOrdinals)
        items << (interval == 1 ? tr("On the %1 %2 every month").arg(o, w)
                                : tr("On the %1 %2 every %3 months").arg(o, w, n));
    Combo->clear();
    Combo->addItems(items);
}

QString TEditFrm::Ordinal(int n) {
    return QCoreApplication::translate("Ordinals", OrdinalWord(n).c_str());
}

TEventInput TEditFrm::Input() const {
    TEventInput in;
    in.Description = DescriptionEdit->Description();
    in.Start = EventDate->Value();
    in.Once = Once->isChecked();
    in.EventType = TypeCombo->currentIndex();
    in.Interval = IntervalSpin->value();
    // A list left without a selection (a value from the file outside it)
    // keeps what the event held.
    in.Rank = Combo->currentIndex() >= 0 ? Combo->currentIndex() : OriginalRank;
    in.Weekday = DayIndex->currentIndex() >= 0 ? DayIndex->currentIndex() + 1 : OriginalWeekday;
    in.Notice = Notice->value();
    in.Keep = Keep->isChecked();
    in.NoEndPoint = NoEndFlag;
    in.Until = DateBox->Value();
    return in;
}

void TEditFrm::FormCloseQuery() {
    EventRecord rec;
    TEventInput in = Input();
    // The until date counts only where it is shown and chosen.
    if (!(Rept->isChecked() && UntilRad->isChecked()))
        in.Once = true;
    if (const std::optional<TEventInputFault> fault = BuildEventRecord(in, rec)) {
        QWidget* focus = fault->Field == TEventInputField::Description
                             ? static_cast<QWidget*>(DescriptionEdit)
                         : fault->Field == TEventInputField::Start ? EventDate
                                                                   : DateBox;
        focus->setFocus();
        throw TTickwellError(fault->Text);
    }
}

void TEditFrm::accept() {
    try {
        FormCloseQuery();
    } catch (const TTickwellError& e) {
        // The close is cancelled: the dialog stays open with what was typed.
        ShowMsg(e.what(), mkError);
        return;
    }
    QDialog::accept();
}

EventRecord TEditFrm::Record() const {
    EventRecord rec;
    // The checks have passed.
    BuildEventRecord(Input(), rec);
    return rec;
}

TTickwellItem* TEditFrm::CreateEvent() const {
    auto* e = new TTickwellItem(Record());
    AckPastOnCreate(*e);
    return e;
}

TTickwellItem* EditEvent(TEventBook& book, bool isEdit, TTickwellItem* event) {
    if (isEdit && !event)
        return nullptr;
    if (RefuseChange())
        return nullptr;
    TEditFrm dlg(QApplication::activeWindow());
    if (isEdit)
        dlg.LoadEvent(*event);
    if (dlg.exec() != QDialog::Accepted)
        return nullptr;
    // Another program may have changed or deleted the event meanwhile (the
    // list in memory takes that in only once the editor is closed). An edit
    // of an event still in the file replaces it there; one deleted or edited
    // elsewhere would come back as a new event, so the user says whether.
    if (dlg.Editing() && DeletedElsewhere(book.MasterList, EventKey(*event)) &&
        AskYesNoCancel(TEditFrm::tr(kChangedElsewhereText), anNo) != anYes)
        return nullptr;
    const TBusyCursor busy;
    // A save that fails keeps the change, on show: the caller goes on with
    // the event once the user has been told.
    TTickwellItem* e = dlg.Editing() ? event : dlg.CreateEvent();
    try {
        if (dlg.Editing())
            book.Edit(e, dlg.Record());
        else
            book.Add(e);
    } catch (const TTickwellError& error) {
        ShowMsg(error.what(), mkError);
    }
    return e;
}
