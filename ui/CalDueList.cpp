#include "ui/CalDueList.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include "store/SettingsSchema.h"
#include "ui/DueIcons.h"
#include "ui/EventRows.h"
#include "ui/ListViewSettings.h"
#include <QHeaderView>
#include <QTreeWidget>
#include <cmath>

namespace {

const QIcon& KindIcon(int kind) {
    static const QIcon icons[kDueKindIcons] = {DueKindIcon(0), DueKindIcon(1), DueKindIcon(2),
                                               DueKindIcon(3)};
    static const QIcon none;
    return kind >= 0 && kind < kDueKindIcons ? icons[kind] : none;
}

} // namespace

TCalDueList::TCalDueList(QWidget* parent) : QObject(parent) {
    List = new QTreeWidget(parent);
    List->setObjectName(QStringLiteral("CalListView"));
    List->setColumnCount(4);
    List->setHeaderLabels({QStringLiteral("Due Events"), QStringLiteral("Date"),
                           QStringLiteral("When"), QStringLiteral("Type")});
    List->setRootIsDecorated(false);
    List->setItemsExpandable(false);
    List->setUniformRowHeights(true);
    List->setAllColumnsShowFocus(true);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setIconSize(QSize(16, 16));
    List->header()->setStretchLastSection(false);
    State = std::make_unique<TListViewState>(List, kCalendarListKey);
    // Wide enough for the texts in the list's font; the description takes
    // what the others leave.
    QStringList dates, types;
    for (int month = 1; month <= 12; ++month)
        dates << QString::fromStdString(DateToStr(EncodeDate(2026, month, 28)));
    for (int type = -1; type <= 5; ++type)
        types << QString::fromStdString(TypeNameOf(type < 0, type < 0 ? 0 : type));
    State->SetBuiltInWidths({150, ColumnWidthFor(List, 1, dates),
                             ColumnWidthFor(List, 2, {"-9999"}), ColumnWidthFor(List, 3, types)},
                            0);
    connect(List, &QTreeWidget::itemDoubleClicked, this, &TCalDueList::DoubleClicked);
}

TCalDueList::~TCalDueList() = default;

void TCalDueList::Clear() {
    List->clear();
}

void TCalDueList::Fill() {
    List->clear();
    if (!DueList)
        return;
    const TDateTime today = Today();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(DueList->Count());
    for (TTickwellItem* e : DueList->All()) {
        auto* row = new TSortableItem;
        SetRowEvent(row, e);
        SetDescriptionTip(row, e->Description);
        row->setIcon(0, KindIcon(e->DueKind));
        row->setText(0, QString::fromStdString(FirstLine(e->Description)));
        row->setText(1, QString::fromStdString(DateToStr(e->ScanDate)));
        row->setData(1, TSortableItem::SortKeyRole, e->ScanDate);
        const double days = std::floor(e->ScanDate) - std::floor(today);
        row->setText(2, QString::number(static_cast<long long>(days)));
        row->setData(2, TSortableItem::SortKeyRole, days);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(3, QString::fromStdString(e->TypeName()));
        rows << row;
    }
    List->addTopLevelItems(rows);
    State->ReapplySort();
}

TTickwellItem* TCalDueList::SelectedEvent() const {
    const QList<QTreeWidgetItem*> rows = List->selectedItems();
    return rows.isEmpty() ? nullptr : RowEvent(rows.first());
}

void TCalDueList::Forget(const std::vector<TTickwellItem*>& events) {
    RemoveEventRows(List, events);
}

int TCalDueList::RowCount() const {
    return List->topLevelItemCount();
}
