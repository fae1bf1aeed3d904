#include "ui/EventListView.h"
#include "ui/EventTableModel.h"
#include <QHeaderView>

TEventListView::TEventListView(TEventTableModel* model, QWidget* parent)
    : QTreeView(parent), Model(model) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    // Rows of one height: the view never asks every row for its size.
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    setModel(model);
}

int TEventListView::SelectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

TTickwellItem* TEventListView::SelectedEvent() const {
    return Model->EventAt(SelectedRow());
}

void TEventListView::SelectRow(int row) {
    const QModelIndex index = Model->index(row, 0);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void TEventListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    auto among = [&](const QModelIndex& i) {
        return i.isValid() && i.parent() == parent && i.row() >= start && i.row() <= end;
    };
    bool clear = among(currentIndex());
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        clear = clear || among(i);
    if (clear)
        selectionModel()->clear();
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}
