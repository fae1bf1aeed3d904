#include "ui/FrmBakUp.h"
#include "core/Globals.h"
#include "store/DataCommands.h"
#include "store/SettingsSchema.h"
#include "ui/FileDialogs.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TBackupDlg::TBackupDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BackupDlg"));
    setWindowTitle(QStringLiteral("Tickwell Backup"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* label1 = new QLabel(QStringLiteral("About to backup your Tickwell data file to:"));
    // Shown as it is: folder names are case-sensitive here.
    Label2 = new QLabel(QString::fromStdString(BackupDest));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label2->setWordWrap(true);
    auto* label3 = new QLabel(QStringLiteral("To change backup destination, click \"Setup\"."));

    OKBtn = new QPushButton(QStringLiteral("OK"));
    OKBtn->setDefault(true);
    SetupBtn = new QPushButton(QStringLiteral("Setup.."));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"));
    connect(OKBtn, &QPushButton::clicked, this, &TBackupDlg::accept);
    connect(SetupBtn, &QPushButton::clicked, this, &TBackupDlg::SetupBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TBackupDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(SetupBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(Label2);
    layout->addSpacing(8);
    layout->addWidget(label3);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Label2->setMinimumWidth(340);
}

QString TBackupDlg::Folder() const {
    return Label2->text();
}

void TBackupDlg::SetupBtnClick() {
    const QString folder =
        ChooseFolder(this, QStringLiteral("Select a folder for backup:"), Label2->text());
    if (!folder.isEmpty())
        Label2->setText(folder);
}

void TBackupDlg::accept() {
    Path = ApplyBackupDestination(Label2->text().toStdString());
    WriteSetting(kBackupDest, BackupDest);
    QDialog::accept();
}
