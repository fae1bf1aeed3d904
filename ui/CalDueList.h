#pragma once
// The calendar's list of the events due now: one row for each entry of the
// due list, with its image, first line, date, days to go and repeat type;
// clicking a heading sorts, and the columns come back as the user left them.
// Each row refers to an event of the master list, and goes when it is freed.
#include "core/DateTime.h"
#include <QObject>

class TScanList;
#include <memory>

class QWidget;
class TEventListView;
class TEventTableModel;
class TListViewState;
class TTickwellItem;

class TCalDueList : public QObject {
    Q_OBJECT
public:
    explicit TCalDueList(QWidget* parent);
    ~TCalDueList() override;

    TEventListView* View() const { return List; }
    // A row for each entry of the due list, in its order; then the user's sort,
    // if any.
    void Fill(const TScanList& due);
    void Clear();
    // The event of the selected row, or null.
    TTickwellItem* SelectedEvent() const;
    int RowCount() const;

signals:
    void DoubleClicked();

private:
    TEventTableModel* Rows;
    TEventListView* List;
    std::unique_ptr<TListViewState> State;
    // The day the rows were made, which their day counts are as of.
    TDateTime RowsDay = 0;
};
