#pragma once
// The options dialog: the one place where the user changes the program's
// preferences. It reads every value when it opens, and writes them all only
// when the user confirms with OK; the running program follows the settings.
// A page whose values could not be read is shown disabled and nothing of it
// is written, so the dialog never saves what it did not load.
#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSoundEffect;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class TEventBook;
class TSettings;
class TWinRegistry;

class TOptionDlg : public QDialog {
    Q_OBJECT
public:
    enum TPage { pgGeneral, pgEditing, pgStartup, pgSystem, pgSchedule, pgFilters, kPageCount };

    explicit TOptionDlg(TEventBook& book, QWidget* parent = nullptr);
    ~TOptionDlg() override;

    // Writes the values of every page that was loaded. Run once the dialog
    // has closed with OK.
    void ApplyOptions();
    // The help context of the focused control, else of the current page.
    int HelpContext() const;

    // The "Use System Tray" choice being edited.
    bool TrayChoice = false;

    QTabWidget* PageTabs;
    // General
    QCheckBox* BackChk;
    QCheckBox* ShowNoEventsMsgChk;
    QCheckBox* MessBeep;
    QCheckBox* StartWeek;
    QCheckBox* WavEnable;
    QLineEdit* WavEdit;
    QToolButton* WavBrowseBtn;
    QToolButton* WavPlayBtn;
    QLineEdit* SyncFolderEdit;
    QPushButton* SyncBrowseBtn;
    QPushButton* SyncClearBtn;
    // Editing
    QComboBox* DfltType;
    QSpinBox* DfltNotice;
    QSpinBox* DfltInterval;
    QCheckBox* DfltKeepFlag;
    QCheckBox* EventDeleteConfirm;
    // Start-up
    QCheckBox* WinStart;
    QCheckBox* QuickLaunch;
    QCheckBox* OnceDaily;
    // System
    QRadioButton* NoTrayRad;
    QRadioButton* UseTrayRad;
    QLabel* NoTrayText;
    QLabel* TrayText;
    QComboBox* MainWindowCombo;
    QComboBox* TrayWindowCombo;
    QCheckBox* ShowClock;
    // Schedule
    QGroupBox* SchedPanel;
    QWidget* NoSchedPanel;
    std::array<QCheckBox*, 3> A;
    std::array<QLineEdit*, 3> AEdit;
    std::array<QToolButton*, 3> ABtn;
    QCheckBox* WinExit;
    QCheckBox* NotifyChk;
    QPushButton* BackPageBtn;
    // How long Snooze puts a reminder off; each entry holds its minutes.
    QComboBox* SnoozeCombo;
    // Filters
    QCheckBox* FilterPastChk;
    QCheckBox* FilterMainChk;

    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;

public slots:
    // Asks about a changed tray choice first; the dialog stays open unless
    // the answer is OK.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    TEventBook& Book;
    QWidget* GeneralPage();
    QWidget* EditingPage();
    QWidget* StartupPage();
    QWidget* SystemPage();
    QWidget* SchedulePage();
    QWidget* FiltersPage();
    void LoadValues();
    void LoadStartupLink();

    void UpdateControls();
    void WinStartClick();
    void ScheduleClick(int i);
    void ScheduleBtnClick(int i);
    void WavBrowseClick();
    void WavPlayClick();
    void SyncBrowseClick();

    void ApplySchedule(TSettings& settings);
    void ApplyGeneral(TSettings& settings);
    void ApplyEditing(TSettings& settings);
    void ApplySystem(TSettings& settings);
    void ApplyFilters(TSettings& settings);
    void ApplyStartup();
    void WriteStartupLink();

    std::array<bool, kPageCount> Loaded{};
    // The start-up link as found, so that an unchanged one is left as it is.
    bool LinkedAtOpen = false;
    bool QuickAtOpen = false;
    QStackedWidget* SchedStack = nullptr;
    QSoundEffect* Sound = nullptr;
};

// The dialog while it is open, null otherwise.
extern TOptionDlg* OptionDlg;

// The Options command: the dialog at its first page, or at "Schedule";
// modal, and applied when the user confirms with OK. While it is open, a
// second call only brings it to the front.
void ShowOptionDlg(TEventBook& book, bool schedulePage);
