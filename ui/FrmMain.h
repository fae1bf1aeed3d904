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
class TEventTableModel;
class TListViewState;

// The filter test of one event: view filter 0 all, 1 once only, 2..7 the
// repeat types Daily .. Accounting; with filterOld an event whose next date
// is before today fails.
bool PassesMainFilter(const TTickwellItem& e, int viewFilter, bool filterOld);
// The status bar's count text of a view filter, e.g. "  Daily Event(s) ".
const char* FilterText(int viewFilter);

class TMainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainFrm(QWidget* parent = nullptr);
    ~TMainFrm() override;

    // Operations other windows call (also through MainLinks()).
    void FillListViewMain(int filter);
    void UpdateRow(TTickwellItem* e);
    void AddRow(TTickwellItem* e);
    void UpdateStatusBar();
    bool PassesVisibilityTest(TTickwellItem* e) const;
    void EnhListView1Click();
    void FilterMainClick();
    void ShowStatusText(const QString& text);
    int ViewFilter() const { return Filter; }

    // Commands.
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void Copy1Click();
    void ClearAck1Click();
    void FindBtnClick();
    void ViewMenuClick(int tag);
    void EventDetailPane1Click();
    void FullRowSelect1Click();
    void Gridlines1Click();
    void DueBtnClick();
    void CalBtnClick();
    void OptionsBtnClick();
    void Export1Click();
    void Import1Click();
    void ExportICal1Click();
    void ImportICal1Click();
    void Archive1Click();
    void Compress1Click();
    void ZapList1Click();
    void Backup1Click();
    void Restore1Click();
    void Merge1Click();
    void Print1Click();
    void PrintSetup1Click();
    void CloseBtnClick();
    void ExitBtnClick();
    void HelpContents1Click();
    void About1Click();

    // The refresh after a change: status bar, due-events window, calendar,
    // detail pane, in that order.
    void RefreshAfterChange();

    // For the find dialog and tests.
    TEventListView* ListView() const { return EnhListView1; }
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
    void SaveMasterList();
    void ListChanged();
    void UpdateLinkedEntries();
    // Runs a command; an error that ends it is shown as an error notice.
    void Run(const std::function<void()>& command);
    QAction* NewAction(const char* name, const char* caption, const char* hint,
                       void (TMainFrm::*handler)());

    int Filter = 0;
    // The day the rows were made: their day counts are as of that day until
    // the list is made again (a change of day the user put off keeps them).
    TDateTime ListDay = 0;
    bool Shown = false;
    bool PaneSizedByUser = false;

    TEventTableModel* Rows = nullptr;
    TEventListView* EnhListView1 = nullptr;
    QPlainTextEdit* DetailText = nullptr;
    QSplitter* Splitter1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QLabel* Panels[3] = {nullptr, nullptr, nullptr};
    std::unique_ptr<TListViewState> ColumnState;

    // Menu entries.
    QAction* Options1 = nullptr;
    QAction* Export1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* ExportICal1 = nullptr;
    QAction* ImportICal1 = nullptr;
    QAction* Archive1 = nullptr;
    QAction* Compress1 = nullptr;
    QAction* ZapList1 = nullptr;
    QAction* Backup1 = nullptr;
    QAction* Restore1 = nullptr;
    QAction* Merge1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* AddEvent1 = nullptr;
    QAction* EditEvent1 = nullptr;
    QAction* DeleteEvent1 = nullptr;
    QAction* CopyEvent1 = nullptr;
    QAction* ClearAck1 = nullptr;
    QAction* FindText1 = nullptr;
    QAction* ViewItems[8] = {};
    QAction* EventDetailPane1 = nullptr;
    QAction* FilterMain = nullptr;
    QAction* TickwellsWindow1 = nullptr;
    QAction* Calendar1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* About1 = nullptr;
    // List pop-up menu entries.
    QAction* PopAdd = nullptr;
    QAction* PopEdit = nullptr;
    QAction* PopDelete = nullptr;
    QAction* PopCopy = nullptr;
    QAction* PopClearAck = nullptr;
    QAction* FullRowSelect1 = nullptr;
    QAction* Gridlines1 = nullptr;
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
QWidget* CreateMainWindowForStartup();
// Makes the main window when there is none, shows it and brings it to the
// front.
TMainFrm* ShowMainFrm();
