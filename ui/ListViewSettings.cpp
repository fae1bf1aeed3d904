#include "ui/ListViewSettings.h"
#include "store/Registry.h"
#include "store/SettingsSchema.h"
#include "ui/ScreenFit.h"
#include <QHeaderView>
#include <algorithm>

bool TSortableItem::operator<(const QTreeWidgetItem& other) const {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const QVariant a = data(column, SortKeyRole);
    const QVariant b = other.data(column, SortKeyRole);
    if (a.isValid() && b.isValid())
        return a.toDouble() < b.toDouble();
    return text(column).localeAwareCompare(other.text(column)) < 0;
}

TListViewState::TListViewState(QTreeWidget* list, std::string key)
    : List(list), Key(std::move(key)) {
    QHeaderView* header = List->header();
    // Sorting is done here on demand, so rows keep the order they were given
    // until the user asks for another. The view's own switch also makes the
    // header unclickable, so it goes first.
    List->setSortingEnabled(false);
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    QObject::connect(header, &QHeaderView::sectionClicked, List,
                     [this](int section) { HeaderClicked(section); });
    Load();
}

TListViewState::~TListViewState() {
    Save();
}

void TListViewState::Load() {
    const TListViewSettings s = ReadListViewSettings(Key.c_str());
    QHeaderView* header = List->header();
    const int columns = List->columnCount();
    // No column wider than the screen: the header adds the widths up.
    const int widest = std::max(1, AvailableArea(List->mapToGlobal(QPoint())).width());
    if (static_cast<int>(s.Sizes.size()) == columns)
        for (int i = 0; i < columns; ++i)
            if (s.Sizes[static_cast<size_t>(i)] > 0)
                List->setColumnWidth(i, std::min(s.Sizes[static_cast<size_t>(i)], widest));
    // The order is the logical column shown at each position; anything that
    // is not a permutation of the columns is ignored.
    if (static_cast<int>(s.Order.size()) == columns) {
        std::vector<bool> seen(static_cast<size_t>(columns), false);
        bool valid = true;
        for (const int logical : s.Order) {
            if (logical < 0 || logical >= columns || seen[static_cast<size_t>(logical)]) {
                valid = false;
                break;
            }
            seen[static_cast<size_t>(logical)] = true;
        }
        if (valid)
            for (int visual = 0; visual < columns; ++visual)
                header->moveSection(header->visualIndex(s.Order[static_cast<size_t>(visual)]),
                                    visual);
    }
    // A list the user never sorted has no SortCol value yet.
    const TRegIniFile ini(Key);
    const bool hasSort = ini.ValueExists(kSortSection, kSortColValue);
    SortCol = hasSort && s.SortCol >= 0 && s.SortCol < columns ? s.SortCol : -1;
    Order = s.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
    ShowSortIndicator();
    ReapplySort();
}

void TListViewState::Save() {
    TListViewSettings s;
    QHeaderView* header = List->header();
    for (int i = 0; i < List->columnCount(); ++i) {
        s.Sizes.push_back(List->columnWidth(i));
        s.Order.push_back(header->logicalIndex(i));
    }
    s.Ascending = Order == Qt::AscendingOrder;
    s.SortCol = SortCol;
    WriteListViewSettings(Key.c_str(), s);
}

void TListViewState::ReapplySort() {
    if (SortCol >= 0)
        List->sortItems(SortCol, Order);
}

void TListViewState::HeaderClicked(int section) {
    if (section == SortCol)
        Order = Order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else {
        SortCol = section;
        Order = Qt::AscendingOrder;
    }
    ShowSortIndicator();
    ReapplySort();
}

void TListViewState::ShowSortIndicator() {
    QHeaderView* header = List->header();
    header->setSortIndicatorShown(SortCol >= 0);
    if (SortCol >= 0)
        header->setSortIndicator(SortCol, Order);
}
