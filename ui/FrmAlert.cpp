#include "ui/FrmAlert.h"

#include "core/Messages.h"
#include "platform/QtMessages.h"
#include "ui/TickTimer.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

TMidnightFrm* MidnightFrm = nullptr;

namespace {

constexpr int kCountDownSeconds = 60;

} // namespace

TMidnightFrm::TMidnightFrm(std::function<void()> recomputeForToday, QWidget* parent)
    : QDialog(parent), RecomputeForToday(std::move(recomputeForToday)),
      CountDown(new TTickTimer(
          1000, [this] { CountDownTick(); }, this)) {
    setObjectName("MidnightFrm");
    setWindowTitle(tr("System Date Change"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    MidnightFrm = this;
    // Closed is no longer open, though it is freed a moment later.
    connect(this, &QDialog::finished, this, [this] {
        if (MidnightFrm == this)
            MidnightFrm = nullptr;
    });

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel(tr("Date has changed !"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);
    auto* text = new QLabel(
        tr("Tickwell has detected a change of system date. The Events List and active windows "
           "will be updated in 60 seconds. Click \"Cancel\" to Abort the process. If you abort the "
           "update process then you must quit the program to update the Events list."));
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    SecondsLabel = new QLabel;
    SecondsLabel->setObjectName("SecondsLabel");
    SecondsLabel->setFont(bold);

    UpdateBtn = new QPushButton(tr("Update"));
    UpdateBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("Cancel"));
    connect(UpdateBtn, &QPushButton::clicked, this, &TMidnightFrm::UpdateWindows);
    // Esc rejects the dialog, which is Cancel.
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(text);
    texts->addSpacing(6);
    texts->addWidget(SecondsLabel);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(UpdateBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);

    ShowSecondsLeft();
    CountDown->Start();
}

TMidnightFrm::~TMidnightFrm() {
    if (MidnightFrm == this)
        MidnightFrm = nullptr;
}

void TMidnightFrm::ShowSecondsLeft() {
    SecondsLabel->setText(QString::number(kCountDownSeconds - Elapsed) + tr(" seconds remaining"));
}

void TMidnightFrm::CountDownTick() {
    ++Elapsed;
    ShowSecondsLeft();
    if (Elapsed >= kCountDownSeconds)
        UpdateWindows();
}

void TMidnightFrm::UpdateWindows() {
    CountDown->Stop();
    // Every open window follows the book to the new day.
    RecomputeForToday();
    accept();
}

void ShowCountDownAlert(const std::function<void()>& recomputeForToday) {
    if (MidnightFrm)
        return;
    SystemBeep();
    auto* alert = new TMidnightFrm(recomputeForToday);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    // Modal for the whole program, but shown without a nested loop, so the
    // timers and the command that noticed the change go on.
    alert->setWindowModality(Qt::ApplicationModal);
    alert->adjustSize();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        alert->move(s->availableGeometry().center() - alert->rect().center());
    alert->show();
    alert->raise();
    alert->activateWindow();
}
