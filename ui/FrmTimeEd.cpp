#include "ui/FrmTimeEd.h"

#include "core/DateFormat.h"
#include "core/FormatSettings.h"
#include "ui/TickTimer.h"
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kPanelFormat = "hh:nn";

} // namespace

TTimeFrm::TTimeFrm(QWidget* parent)
    : QDialog(parent), RepeatTimer(new TTickTimer(
                           100, [this] { RepeatTimerTick(); }, this)) {
    setObjectName("TimeFrm");
    setWindowTitle(tr("Edit Time"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    TimePanel = new QLabel;
    TimePanel->setObjectName("TimePanel");
    TimePanel->setAlignment(Qt::AlignCenter);
    TimePanel->setAutoFillBackground(true);
    QPalette pal = TimePanel->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
    TimePanel->setPalette(pal);
    QFont digits = TimePanel->font();
    digits.setBold(true);
    digits.setPointSizeF(digits.pointSizeF() * 2.2);
    TimePanel->setFont(digits);
    TimePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    TimePanel->setMinimumSize(QFontMetrics(digits).horizontalAdvance(" 88:88 ") + 8,
                              QFontMetrics(digits).height() + 12);

    HourUpBtn = ArrowButton("HourUpBtn", Qt::UpArrow, 1);
    HourDownBtn = ArrowButton("HourDownBtn", Qt::DownArrow, 2);
    MinuteUpBtn = ArrowButton("MinuteUpBtn", Qt::UpArrow, 3);
    MinuteDownBtn = ArrowButton("MinuteDownBtn", Qt::DownArrow, 4);
    HourUpBtn->setToolTip(tr("Hour up"));
    HourDownBtn->setToolTip(tr("Hour down"));
    MinuteUpBtn->setToolTip(tr("Minute up"));
    MinuteDownBtn->setToolTip(tr("Minute down"));

    auto* grid = new QGridLayout;
    grid->addWidget(HourUpBtn, 0, 0);
    grid->addWidget(HourDownBtn, 1, 0);
    grid->addWidget(TimePanel, 0, 1, 2, 1);
    grid->addWidget(MinuteUpBtn, 0, 2);
    grid->addWidget(MinuteDownBtn, 1, 2);

    OkBtn = new QPushButton(tr("OK"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("Cancel"));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);

    auto* root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

QToolButton* TTimeFrm::ArrowButton(const char* name, Qt::ArrowType arrow, int tag) {
    auto* b = new QToolButton;
    b->setObjectName(name);
    b->setArrowType(arrow);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::pressed, this, [this, tag] {
        StepKind = tag - 1;
        RepeatTimer->Start();
    });
    connect(b, &QToolButton::released, this, [this] { RepeatTimer->Stop(); });
    connect(b, &QToolButton::clicked, this, [this, tag] {
        StepKind = tag - 1;
        RepeatCount = 0;
        Step();
    });
    return b;
}

void TTimeFrm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        TimePanel->setText(QString::fromStdString(FormatDateTime(kPanelFormat, StartTime)));
}

void TTimeFrm::RepeatTimerTick() {
    if (++RepeatCount > 4)
        Step();
}

void TTimeFrm::Step() {
    TDateTime shown = 0;
    TryReadTimeOfDay(TimePanel->text().toStdString(), shown);
    const int minutes = static_cast<int>(shown * 1440.0 + 0.5);
    int h = minutes / 60 % 24;
    int m = minutes % 60;
    switch (StepKind) {
    case 0:
        h = h == 23 ? 0 : h + 1;
        break;
    case 1:
        h = h == 0 ? 23 : h - 1;
        break;
    case 2:
        m = m == 59 ? 0 : m + 1;
        break;
    default:
        m = m == 0 ? 59 : m - 1;
        break;
    }
    TimePanel->setText(QString::fromStdString(FormatDateTime(kPanelFormat, (h * 60 + m) / 1440.0)));
}

bool EditTime(std::string& text) {
    TTimeFrm dlg(QApplication::activeWindow());
    if (!text.empty() && !TryReadTimeOfDay(text, dlg.StartTime))
        dlg.StartTime = 0; // not a time: start at midnight
    if (dlg.exec() != QDialog::Accepted)
        return false;
    text = dlg.TimePanel->text().left(8).toStdString();
    return true;
}
