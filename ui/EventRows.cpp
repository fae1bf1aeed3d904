#include "ui/EventRows.h"
#include <QItemSelectionModel>
#include <QTreeWidget>
#include <unordered_set>

namespace {
constexpr int kEventRole = Qt::UserRole;

void ForgetSelectionIfAmong(QTreeWidget* list, const QList<QTreeWidgetItem*>& rows) {
    for (QTreeWidgetItem* row : rows)
        if (row->isSelected() || list->currentItem() == row) {
            list->selectionModel()->clear();
            return;
        }
}
} // namespace

void SetRowEvent(QTreeWidgetItem* row, TTickwellItem* e) {
    row->setData(0, kEventRole, QVariant::fromValue(reinterpret_cast<quintptr>(e)));
}

void SetDescriptionTip(QTreeWidgetItem* row, const std::string& description) {
    QString tip = QString::fromStdString(description);
    tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (int c = 0; c < row->columnCount(); ++c)
        row->setToolTip(c, tip);
}

TTickwellItem* RowEvent(const QTreeWidgetItem* row) {
    return row ? reinterpret_cast<TTickwellItem*>(row->data(0, kEventRole).value<quintptr>())
               : nullptr;
}

QTreeWidgetItem* RowOfEvent(const QTreeWidget* list, const TTickwellItem* e) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (RowEvent(list->topLevelItem(i)) == e)
            return list->topLevelItem(i);
    return nullptr;
}

void RemoveRow(QTreeWidget* list, QTreeWidgetItem* row) {
    if (!row)
        return;
    ForgetSelectionIfAmong(list, {row});
    delete row;
}

int RemoveEventRows(QTreeWidget* list, const std::vector<TTickwellItem*>& events) {
    const std::unordered_set<const TTickwellItem*> gone(events.begin(), events.end());
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (gone.count(RowEvent(list->topLevelItem(i))))
            rows << list->topLevelItem(i);
    ForgetSelectionIfAmong(list, rows);
    qDeleteAll(rows);
    return static_cast<int>(rows.size());
}
