#pragma once
// The calendar's list of the events due now: one row for each entry of the
// due list, with its image, first line, date, days to go and repeat type;
// clicking a heading sorts, and the columns come back as the user left them.
// Each row refers to an event of the master list.
#include <QObject>
#include <memory>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TListViewState;
class TTickwellItem;

class TCalDueList : public QObject {
    Q_OBJECT
public:
    explicit TCalDueList(QWidget* parent);
    ~TCalDueList() override;

    QTreeWidget* View() const { return List; }
    // Empties the view and adds a row for each entry of DueList, in its
    // order; then the user's sort, if any.
    void Fill();
    void Clear();
    // Takes out the rows of events about to be freed.
    void Forget(const std::vector<TTickwellItem*>& events);
    // The event of the selected row, or null.
    TTickwellItem* SelectedEvent() const;
    int RowCount() const;

signals:
    void DoubleClicked();

private:
    QTreeWidget* List;
    std::unique_ptr<TListViewState> State;
};
