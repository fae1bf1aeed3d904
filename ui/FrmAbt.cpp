#include "ui/FrmAbt.h"
#include "ui/Theme.h"
#include "ui/UrlLabel.h"
#include <QCoreApplication>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TICKWELL_VERSION
#define TICKWELL_VERSION "0.0.0"
#endif
#ifndef TICKWELL_HOMEPAGE
#define TICKWELL_HOMEPAGE ""
#endif
#ifndef TICKWELL_MAIL
#define TICKWELL_MAIL ""
#endif

QString VersionText() {
    return QCoreApplication::translate("TAboutDlg", "Version ") + QStringLiteral(TICKWELL_VERSION);
}

TAboutDlg::TAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(tr("About Tickwell"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);

    TitleLabel = new QLabel(QStringLiteral("Tickwell"));
    TitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    TitleLabel->setAlignment(Qt::AlignCenter);
    QFont title(QStringLiteral("Arial"));
    title.setPointSize(28);
    title.setBold(true);
    TitleLabel->setFont(title);
    QPalette pal = TitleLabel->palette();
    pal.setColor(QPalette::WindowText,
                 ReadableOn(QColor(0x80, 0x00, 0x80), pal.color(QPalette::Window)));
    TitleLabel->setPalette(pal);
    auto* shadow = new QGraphicsDropShadowEffect(TitleLabel);
    shadow->setOffset(3, 3);
    shadow->setBlurRadius(2);
    shadow->setColor(QColor(0, 0, 0, 110));
    TitleLabel->setGraphicsEffect(shadow);

    PlatformLabel = new QLabel(tr("For Linux"));
    PlatformLabel->setAlignment(Qt::AlignCenter);
    VersionLabel = new QLabel(VersionText());
    VersionLabel->setObjectName(QStringLiteral("VersionLabel"));
    VersionLabel->setAlignment(Qt::AlignCenter);

    HomePageLink = new TUrlLabel(tr("Visit Tickwell's Web Page"));
    HomePageLink->setObjectName(QStringLiteral("HomePageLink"));
    HomePageLink->URL = QStringLiteral(TICKWELL_HOMEPAGE);
    HomePageLink->setAlignment(Qt::AlignCenter);
    MailLink = new TUrlLabel(tr("Send a mail to the Tickwell team"));
    MailLink->setObjectName(QStringLiteral("MailLink"));
    MailLink->URL = QStringLiteral(TICKWELL_MAIL);
    MailLink->setAlignment(Qt::AlignCenter);

    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(24, 16, 24, 16);
    inner->addWidget(TitleLabel);
    inner->addWidget(PlatformLabel);
    inner->addWidget(VersionLabel);
    inner->addSpacing(12);
    inner->addWidget(HomePageLink);
    inner->addWidget(MailLink);

    OKBtn = new QPushButton(tr("OK"));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &TAboutDlg::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
