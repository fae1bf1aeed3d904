#pragma once
// A report list of events: one row an event, the focus across the whole row,
// one row selected at a time, nothing edited in place.
#include <QTreeView>

class TEventTableModel;
class TTickwellItem;

class TEventListView : public QTreeView {
    Q_OBJECT
public:
    // Shows the model's rows; the view does not own it.
    explicit TEventListView(TEventTableModel* model, QWidget* parent = nullptr);

    TEventTableModel* Rows() const { return Model; }
    // The event of the row with the selection, or null.
    TTickwellItem* SelectedEvent() const;
    int SelectedRow() const;
    // Makes the row current and its only selection, and scrolls to it.
    void SelectRow(int row);

protected:
    // Taking away the current or the selected row leaves nothing selected.
    // The view would make the next row current and select it, so that a
    // second key press would act on an event the user never chose.
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    TEventTableModel* Model;
};
