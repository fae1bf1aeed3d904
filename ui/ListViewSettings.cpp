#include "ui/ListViewSettings.h"
#include "store/Registry.h"
#include "store/SettingsSchema.h"
#include "ui/ScreenFit.h"
#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

TListViewState::TListViewState(QTreeView* list, std::string key) : List(list), Key(std::move(key)) {
    QHeaderView* header = List->header();
    // Sorting is done here on demand, so rows keep the order they were given
    // until the user asks for another. The view's own switch also makes the
    // header unclickable, so it goes first.
    List->setSortingEnabled(false);
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    QObject::connect(header, &QHeaderView::sectionClicked, this,
                     [this](int section) { HeaderClicked(section); });
    QObject::connect(header, &QHeaderView::sectionResized, this, [this] {
        if (!Fitting)
            UserSizedFlag = true;
    });
    List->viewport()->installEventFilter(this);
    Load();
}

TListViewState::~TListViewState() {
    Save();
}

void TListViewState::Load() {
    const TListViewSettings s = ReadListViewSettings(Key.c_str());
    QHeaderView* header = List->header();
    const int columns = Columns();
    // No column wider than the screen: the header adds the widths up.
    const int widest = std::max(1, AvailableArea(List->mapToGlobal(QPoint())).width());
    if (static_cast<int>(s.Sizes.size()) == columns) {
        Fitting = true;
        for (int i = 0; i < columns; ++i)
            if (s.Sizes[static_cast<size_t>(i)] > 0)
                List->setColumnWidth(i, std::min(s.Sizes[static_cast<size_t>(i)], widest));
        Fitting = false;
        UserSizedFlag = true;
    }
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
    for (int i = 0; i < Columns(); ++i) {
        // Widths the user never set stay unstored, so they follow the font.
        if (UserSizedFlag)
            s.Sizes.push_back(List->columnWidth(i));
        s.Order.push_back(header->logicalIndex(i));
    }
    s.Ascending = Order == Qt::AscendingOrder;
    s.SortCol = SortCol;
    WriteListViewSettings(Key.c_str(), s);
}

int TListViewState::Columns() const {
    return List->header()->count();
}

void TListViewState::ReapplySort() {
    if (SortCol >= 0 && List->model())
        List->model()->sort(SortCol, Order);
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

void TListViewState::SetBuiltInWidths(const std::vector<int>& widths, int fillColumn) {
    BuiltIn = widths;
    BuiltIn.resize(static_cast<size_t>(Columns()), 0);
    FillColumn = fillColumn;
    if (UserSizedFlag)
        return;
    Fitting = true;
    for (int i = 0; i < Columns(); ++i)
        if (BuiltIn[static_cast<size_t>(i)] > 0)
            List->setColumnWidth(i, BuiltIn[static_cast<size_t>(i)]);
    Fitting = false;
    FitFillColumn();
}

int TListViewState::BuiltInListWidth() const {
    int width = 2 * List->frameWidth() +
                List->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, List);
    for (const int w : BuiltIn)
        width += w;
    return width;
}

void TListViewState::FitFillColumn() {
    if (UserSizedFlag || FillColumn < 0 || FillColumn >= Columns())
        return;
    int others = 0;
    for (int i = 0; i < Columns(); ++i)
        if (i != FillColumn && !List->isColumnHidden(i))
            others += List->columnWidth(i);
    const int width =
        std::max(BuiltIn[static_cast<size_t>(FillColumn)], List->viewport()->width() - others);
    Fitting = true;
    List->setColumnWidth(FillColumn, width);
    Fitting = false;
}

bool TListViewState::eventFilter(QObject* watched, QEvent* e) {
    if (watched == List->viewport() && e->type() == QEvent::Resize)
        FitFillColumn();
    return QObject::eventFilter(watched, e);
}

int ColumnWidthFor(const QTreeView* list, int column, const QStringList& samples) {
    // Room for the cell margins, and in the heading for the sort arrow.
    const int margin = list->fontMetrics().height();
    const QString heading =
        list->model() ? list->model()->headerData(column, Qt::Horizontal).toString() : QString();
    int width = list->header()->fontMetrics().horizontalAdvance(heading) + 2 * margin;
    for (const QString& s : samples)
        width = std::max(width, list->fontMetrics().horizontalAdvance(s) + margin);
    return width;
}
