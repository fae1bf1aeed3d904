#pragma once
// The confirmation shown when the tray choice in the options differs from the
// way this run started: the choice only takes effect at the next start.
#include <QDialog>

class QLabel;
class QPushButton;

class TMsgDlg : public QDialog {
    Q_OBJECT
public:
    // tray: the user chose to use the tray (TrayLbl), else declined it
    // (NoTrayLbl).
    TMsgDlg(bool tray, QWidget* parent = nullptr);

    QLabel* TrayLbl;
    QLabel* NoTrayLbl;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
};

// True when the user answers OK.
bool ConfirmTrayChoice(bool tray, QWidget* parent);
