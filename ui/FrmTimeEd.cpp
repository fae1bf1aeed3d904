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
    setWindowTitle("Edit Time");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Panel1 = new QLabel;
    Panel1->setObjectName("Panel1");
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, QColor(0, 255, 0));
    Panel1->setPalette(pal);
    QFont digits = Panel1->font();
    digits.setBold(true);
    digits.setPointSizeF(digits.pointSizeF() * 2.2);
    Panel1->setFont(digits);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setMinimumSize(QFontMetrics(digits).horizontalAdvance(" 88:88 ") + 8,
                           QFontMetrics(digits).height() + 12);

    SB1 = ArrowButton("SB1", Qt::UpArrow, 1);
    SB2 = ArrowButton("SB2", Qt::DownArrow, 2);
    SB3 = ArrowButton("SB3", Qt::UpArrow, 3);
    SB4 = ArrowButton("SB4", Qt::DownArrow, 4);
    SB1->setToolTip("Hour up");
    SB2->setToolTip("Hour down");
    SB3->setToolTip("Minute up");
    SB4->setToolTip("Minute down");

    auto* grid = new QGridLayout;
    grid->addWidget(SB1, 0, 0);
    grid->addWidget(SB2, 1, 0);
    grid->addWidget(Panel1, 0, 1, 2, 1);
    grid->addWidget(SB3, 0, 2);
    grid->addWidget(SB4, 1, 2);

    OKBtn = new QPushButton("OK");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
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
        Panel1->setText(QString::fromStdString(FormatDateTime(kPanelFormat, StartTime)));
}

void TTimeFrm::RepeatTimerTick() {
    if (++RepeatCount > 4)
        Step();
}

void TTimeFrm::Step() {
    TDateTime shown = 0;
    TryReadTimeOfDay(Panel1->text().toStdString(), shown);
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
    Panel1->setText(QString::fromStdString(FormatDateTime(kPanelFormat, (h * 60 + m) / 1440.0)));
}

bool EditTime(std::string& text) {
    TTimeFrm dlg(QApplication::activeWindow());
    if (!text.empty() && !TryReadTimeOfDay(text, dlg.StartTime))
        dlg.StartTime = 0; // not a time: start at midnight
    if (dlg.exec() != QDialog::Accepted)
        return false;
    text = dlg.Panel1->text().left(8).toStdString();
    return true;
}
