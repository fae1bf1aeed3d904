#pragma once
// Keeps a list view's column widths, column order and sort column under the
// list's own registry key (all-text style), so every list of the program
// comes back as the user left it.
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <string>

// Rows compare by a sort key where a column has one (dates, day counts), by
// text otherwise, so that date columns sort by date and not alphabetically.
class TSortableItem : public QTreeWidgetItem {
public:
    static constexpr int SortKeyRole = Qt::UserRole + 1;
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override;
};

class TListViewState {
public:
    // Reads the key at once (Load); writes it again when destroyed (Save).
    TListViewState(QTreeWidget* list, std::string key);
    ~TListViewState();
    TListViewState(const TListViewState&) = delete;
    TListViewState& operator=(const TListViewState&) = delete;

    void Load();
    void Save();
    // Sorts again by the column and direction the user chose by clicking a
    // header; rows stay in the order they were added while none is chosen.
    void ReapplySort();
    bool Sorted() const { return SortCol >= 0; }
    int SortColumn() const { return SortCol; }
    Qt::SortOrder SortOrder() const { return Order; }

private:
    void HeaderClicked(int section);
    void ShowSortIndicator();

    QTreeWidget* List;
    std::string Key;
    int SortCol = -1;
    Qt::SortOrder Order = Qt::AscendingOrder;
};
