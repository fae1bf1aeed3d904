#include "ui/FrmBakUp.h"
#include "platform/Paths.h"
#include "store/DataCommands.h"
#include "store/Settings.h"
#include "ui/FileDialogs.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TBackupDlg::TBackupDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BackupDlg"));
    setWindowTitle(tr("Tickwell Backup"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* intro = new QLabel(tr("About to backup your Tickwell data file to:"));
    // Shown as it is: folder names are case-sensitive here.
    FolderLabel = new QLabel(QString::fromStdString(BackupFolder(DataFolder())));
    FolderLabel->setObjectName(QStringLiteral("FolderLabel"));
    FolderLabel->setTextFormat(Qt::PlainText);
    FolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = FolderLabel->font();
    bold.setBold(true);
    FolderLabel->setFont(bold);
    FolderLabel->setWordWrap(true);
    auto* hint = new QLabel(tr("To change backup destination, click \"Setup\"."));

    OKBtn = new QPushButton(tr("OK"));
    OKBtn->setDefault(true);
    SetupBtn = new QPushButton(tr("Setup.."));
    CancelBtn = new QPushButton(tr("Cancel"));
    connect(OKBtn, &QPushButton::clicked, this, &TBackupDlg::accept);
    connect(SetupBtn, &QPushButton::clicked, this, &TBackupDlg::SetupBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TBackupDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(SetupBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(FolderLabel);
    layout->addSpacing(8);
    layout->addWidget(hint);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FolderLabel->setMinimumWidth(340);
}

QString TBackupDlg::Folder() const {
    return FolderLabel->text();
}

void TBackupDlg::SetupBtnClick() {
    const QString folder =
        ChooseFolder(this, tr("Select a folder for backup:"), FolderLabel->text());
    if (!folder.isEmpty())
        FolderLabel->setText(folder);
}

void TBackupDlg::accept() {
    const std::string folder = ChosenBackupFolder(FolderLabel->text().toStdString());
    Path = BackupFileIn(folder);
    TSettings().Set(kBackupDest, folder);
    QDialog::accept();
}
