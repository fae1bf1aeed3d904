#pragma once
// The About box: the product title, the platform, the version and links to
// the home page and to a mail form.
#include <QDialog>

class QLabel;
class QPushButton;
class TUrlLabel;

class TAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAboutDlg(QWidget* parent = nullptr);

    QLabel* TitleLabel;
    QLabel* PlatformLabel;
    QLabel* VersionLabel;
    TUrlLabel* HomePageLink;
    TUrlLabel* MailLink;
    QPushButton* OKBtn;
};

// "Version 4.0.0" from the build's version.
QString VersionText();
