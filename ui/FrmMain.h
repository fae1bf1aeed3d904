#pragma once
// The main window: every event of the master list in a report list with a
// filter by repeat type and one of old events, a detail pane, and the menus
// and toolbar that reach every other function.
#include "core/EventLists.h"
#include "ui/EventListView.h"
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class TEventBook;
class TEventBookSignals;
class TEventTableModel;
class TListViewState;

class TMainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainFrm(TEventBookSignals& events, QWidget* parent = nullptr);
    ~TMainFrm() override;

    // The rows of the events the view filter lets through.
    void FillListViewMain(int filter);
    void UpdateRow(TTickwellItem* e);
    void AddRow(TTickwellItem* e);
    void UpdateStatusBar();
    bool PassesVisibilityTest(TTickwellItem* e) const;
    void MainListViewClick();
    void FilterMainClick();
    void ShowStatusText(const QString& text);
    int ViewFilter() const { return Filter; }

    // Commands.
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void CopyEventClick();
    void ClearAckClick();
    void FindBtnClick();
    void ViewMenuClick(int tag);
    void DetailPaneClick();
    void FullRowSelectClick();
    void GridlinesClick();
    void DueBtnClick();
    void CalBtnClick();
    void OptionsBtnClick();
    void ExportClick();
    void ImportClick();
    void ExportICalClick();
    void ImportICalClick();
    void ArchiveClick();
    void CompressClick();
    void ZapListClick();
    void BackupClick();
    void RestoreClick();
    void MergeClick();
    void PrintClick();
    void PrintSetupClick();
    void CloseBtnClick();
    void ExitBtnClick();
    void HelpContentsClick();
    void AboutClick();

    // For the find dialog and tests.
    TEventListView* ListView() const { return MainListView; }
    QPlainTextEdit* DetailPane() const { return DetailText; }
    QLabel* StatusPanel(int index) const;
    TTickwellItem* SelectedEvent() const;
    // The first cell of an event's row; invalid when no row shows it.
    QModelIndex RowOf(const TTickwellItem* e) const;
    void SelectRow(const QModelIndex& row);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    TEventBookSignals& Events;
    TEventBook& Book;
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateCentral();
    void CreateStatusBar();
    void ApplyStartMode();
    void ReadSettings();
    void WriteSettings() const;
    void ShowDetailPane(bool show);
    void FitDetailPane();
    // The rows follow the book, each event as the view's filter says.
    void FollowChanges(const std::vector<TTickwellItem*>& events);
    void FollowRemoval(const std::vector<TTickwellItem*>& events);
    void FollowReset();
    void UpdateLinkedEntries();
    // Runs a command; an error that ends it is shown as an error notice.
    void Run(const std::function<void()>& command);
    QAction* NewAction(const char* name, const QString& caption, const QString& hint,
                       void (TMainFrm::*handler)());

    int Filter = 0;
    // The day the rows were made: their day counts are as of that day until
    // the list is made again (a change of day the user put off keeps them).
    TDateTime ListDay = 0;
    bool Shown = false;
    bool PaneSizedByUser = false;

    TEventTableModel* Rows = nullptr;
    TEventListView* MainListView = nullptr;
    QPlainTextEdit* DetailText = nullptr;
    QSplitter* PaneSplitter = nullptr;
    QToolBar* ToolBar = nullptr;
    QLabel* Panels[3] = {nullptr, nullptr, nullptr};
    std::unique_ptr<TListViewState> ColumnState;

    // Menu entries.
    QAction* OptionsAction = nullptr;
    QAction* ExportAction = nullptr;
    QAction* ImportAction = nullptr;
    QAction* ExportICalAction = nullptr;
    QAction* ImportICalAction = nullptr;
    QAction* ArchiveAction = nullptr;
    QAction* CompressAction = nullptr;
    QAction* ZapListAction = nullptr;
    QAction* BackupAction = nullptr;
    QAction* RestoreAction = nullptr;
    QAction* MergeAction = nullptr;
    QAction* PrintAction = nullptr;
    QAction* PrintSetupAction = nullptr;
    QAction* CloseAction = nullptr;
    QAction* ExitAction = nullptr;
    QAction* AddEventAction = nullptr;
    QAction* EditEventAction = nullptr;
    QAction* DeleteEventAction = nullptr;
    QAction* CopyEventAction = nullptr;
    QAction* ClearAckAction = nullptr;
    QAction* FindTextAction = nullptr;
    QAction* ViewItems[8] = {};
    QAction* DetailPaneAction = nullptr;
    QAction* FilterMain = nullptr;
    QAction* DueWindowAction = nullptr;
    QAction* CalendarAction = nullptr;
    QAction* HelpContentsAction = nullptr;
    QAction* AboutAction = nullptr;
    // List pop-up menu entries.
    QAction* PopAdd = nullptr;
    QAction* PopEdit = nullptr;
    QAction* PopDelete = nullptr;
    QAction* PopCopy = nullptr;
    QAction* PopClearAck = nullptr;
    QAction* FullRowSelectAction = nullptr;
    QAction* GridlinesAction = nullptr;
    // Toolbar buttons.
    QAction* AddBtn = nullptr;
    QAction* EditBtn = nullptr;
    QAction* DeleteBtn = nullptr;
    QAction* FindBtn = nullptr;
    QAction* DueBtn = nullptr;
    QAction* CalBtn = nullptr;
    QAction* OptionsBtn = nullptr;
    QAction* CloseBtn = nullptr;
    QAction* ExitBtn = nullptr;
};

// The main window while it exists, else null.
extern TMainFrm* MainFrm;

// The main window for start-up (start mode 1): created and shown.
QWidget* CreateMainWindowForStartup(TEventBookSignals& events);
// Makes the main window when there is none, shows it and brings it to the
// front.
TMainFrm* ShowMainFrm(TEventBookSignals& events);
