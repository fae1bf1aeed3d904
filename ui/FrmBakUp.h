#pragma once
// The backup dialog: shows the backup folder, lets the user pick another,
// and on OK makes it the backup folder and remembers it in the settings.
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

class TBackupDlg : public QDialog {
    Q_OBJECT
public:
    explicit TBackupDlg(QWidget* parent = nullptr);

    // The full path of the backup file, set when the dialog closed with OK.
    const std::string& BackupPath() const { return Path; }
    QString Folder() const;
    void SetupBtnClick();

    QLabel* FolderLabel;
    QPushButton* OKBtn;
    QPushButton* SetupBtn;
    QPushButton* CancelBtn;

public slots:
    void accept() override;

private:
    std::string Path;
};
