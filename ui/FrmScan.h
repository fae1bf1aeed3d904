#pragma once
// The due-events window: one row for each event the due scan found due, with
// the commands to acknowledge, add, edit and delete events and to reach the
// other windows. At most one exists; it is made when needed and destroyed
// when closed.
#include "core/EventLists.h"
#include "ui/EventListView.h"
#include <QWidget>
#include <memory>

class QAction;
class QMenu;
class QPushButton;
class QSoundEffect;
class TEventBook;
class TEventBookSignals;
class TEventTableModel;
class TListViewState;

class TScanFrm : public QWidget {
    Q_OBJECT
public:
    // Reads the window's settings; the rows are built when it is shown.
    explicit TScanFrm(TEventBookSignals& events, QWidget* parent = nullptr);
    // Writes the settings back.
    ~TScanFrm() override;

    // Closing the window ends the program (set for the display at shutdown).
    bool QuitOnClose = false;

    // One row for each event of the due list, sorted as the user chose.
    void RefillDueList();
    void SetDueTitle();

    void AcknowledgeClick();
    // The selected event out of the list for the snooze period the options
    // give.
    void SnoozeClick();
    void AddEventClick();
    void EditEventClick();
    void DeleteEventClick();
    void CloseBtnClick();
    void ExitApplicationClick();

    // Shows the window modally and returns when it has been closed (it is
    // destroyed by then).
    void ExecModal();

    // Whether the wave file was handed to the sound device at the last show.
    bool SoundStarted() const { return SoundStartedFlag; }
    const QString& WavFile() const { return WavFileName; }

    TEventTableModel* Rows;
    TEventListView* ScanListView;
    QWidget* BottomPanel;
    QPushButton* AckBtn;
    QPushButton* SnoozeBtn;
    QPushButton* CloseBtn;
    QMenu* ScanPop;
    QAction* AcknowledgeAction;
    QAction* SnoozeAction;
    QAction* AddEventAction;
    QAction* EditEventAction;
    QAction* DeleteEventAction;
    QAction* LongDateAction;   // LD
    QAction* ShowIconsAction;  // SI
    QAction* ShowHeaderAction; // SH
    QAction* TitleDateAction;  // TB
    QAction* BriefDaysAction;
    QAction* EnableSoundAction;
    QAction* AboutAction;
    QAction* HelpAction;
    QAction* MainWindowAction;
    QAction* CalendarAction;
    QAction* OptionsAction;
    QAction* CloseAction;
    QAction* ExitApplicationAction;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The rows follow the book: an event due after a change gets a row at
    // the end, one no longer due loses its row.
    void FollowChanges(const std::vector<TTickwellItem*>& events);
    void FollowReset();

    TEventBookSignals& Events;
    TEventBook& Book;
    QAction* AddItem(const QString& caption, const QKeySequence& key, void (TScanFrm::*slot)());
    QAction* AddOption(const QString& caption, bool checked, void (TScanFrm::*slot)());
    // The selected row, or -1 after telling the user there is nothing to
    // work on.
    int SelectedRowOrTell(const QString& nothing) const;
    // Days from the day the rows were made, as the title shows it, to the
    // event's scan date.
    long long DaysToScan(const TTickwellItem& e) const;
    void SetDateFormat();
    void UpdateCommandStates();
    void UpdateAckBtn();
    void PlayWave();
    // A command that ends with an error shows it and stops there.
    void Run(void (TScanFrm::*command)());

    void LongDateClick();
    void ShowIconsClick();
    void ShowHeaderClick();
    void TitleDateClick();
    void BriefDaysClick();
    void EnableSoundClick();
    void AboutClick();
    void HelpClick();
    void MainWindowClick();
    void CalendarClick();
    void OptionsClick();

    QString WavFileName;
    QSoundEffect* Sound = nullptr;
    bool SoundStartedFlag = false;
    std::unique_ptr<TListViewState> ListState;
    TDateTime RowsDay = 0;
};

// The window while it exists, null otherwise.
extern TScanFrm* ScanFrm;

// Makes the window when there is none; returns it (not shown).
TScanFrm* CreateDueWindow(TEventBookSignals& events);
// Makes the window when needed, shows it and brings it to the front.
TScanFrm* ShowDueEventsWindow(TEventBookSignals& events);
