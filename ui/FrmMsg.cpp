#include "ui/FrmMsg.h"

#include "ui/AppIcon.h"
#include "ui/FrmHelp.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kSystemPageHelp = 26;

QLabel* TextLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setMinimumWidth(300);
    return label;
}

} // namespace

TMsgDlg::TMsgDlg(bool tray, QWidget* parent) : QDialog(parent) {
    setObjectName("MsgDlg");
    setWindowTitle("Tickwell");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel;
    icon->setPixmap(AppIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    TrayLbl = TextLabel(
        "TrayLbl", tr("You have selected to use the System Tray. Scheduling of the Tickwells "
                      "Window will be available on the next occasion that Tickwell is launched."));
    NoTrayLbl =
        TextLabel("NoTrayLbl", tr("You have selected not to use the System Tray. Scheduling "
                                  "of the Tickwells Window will not be available on the next "
                                  "occasion that Tickwell is launched."));
    (tray ? NoTrayLbl : TrayLbl)->hide();

    OKBtn = new QPushButton("O&K");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("&Cancel"));
    HelpBtn = new QPushButton(tr("&Help"));
    HelpBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    // Esc rejects too.
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [] { ShowHelpContext(kSystemPageHelp); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(TrayLbl);
    texts->addWidget(NoTrayLbl);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {OKBtn, CancelBtn, HelpBtn})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addSpacing(6);
    root->addLayout(buttons);
    root->setSizeConstraint(QLayout::SetFixedSize);
}

bool ConfirmTrayChoice(bool tray, QWidget* parent) {
    TMsgDlg dlg(tray, parent);
    return dlg.exec() == QDialog::Accepted;
}
