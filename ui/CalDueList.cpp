#include "ui/CalDueList.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "store/SettingsSchema.h"
#include "ui/DueIcons.h"
#include "ui/EventListView.h"
#include "ui/EventTableModel.h"
#include "ui/ListViewSettings.h"
#include <QHeaderView>
#include <cmath>

TCalDueList::TCalDueList(QWidget* parent) : QObject(parent) {
    TEventColumn event = DescriptionColumn(tr("Due Events"));
    event.Icon = [](const TTickwellItem& e) { return SharedDueKindIcon(e.DueKind); };
    const auto days = [this](const TTickwellItem& e) {
        return std::floor(e.ScanDate) - std::floor(RowsDay);
    };
    TEventColumn when = SortedByNumber(
        tr("When"),
        [days](const TTickwellItem& e) { return QString::number(static_cast<long long>(days(e))); },
        days);
    when.Alignment = Qt::AlignRight | Qt::AlignVCenter;
    Rows = new TEventTableModel(
        {event,
         SortedByNumber(
             tr("Date"),
             [](const TTickwellItem& e) { return QString::fromStdString(DateToStr(e.ScanDate)); },
             [](const TTickwellItem& e) { return e.ScanDate; }),
         when, TypeColumn(tr("Type"))},
        this);
    List = new TEventListView(Rows, parent);
    List->setObjectName(QStringLiteral("CalListView"));
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setIconSize(QSize(16, 16));
    State = std::make_unique<TListViewState>(List, kCalendarListKey);
    // Wide enough for the texts in the list's font; the description takes
    // what the others leave.
    QStringList dates, types;
    for (int month = 1; month <= 12; ++month)
        dates << QString::fromStdString(DateToStr(EncodeDate(2026, month, 28)));
    for (int type = -1; type <= 5; ++type)
        types << ShownTypeName(type < 0, type < 0 ? 0 : type);
    State->SetBuiltInWidths({150, ColumnWidthFor(List, 1, dates),
                             ColumnWidthFor(List, 2, {"-9999"}), ColumnWidthFor(List, 3, types)},
                            0);
    connect(List, &QAbstractItemView::doubleClicked, this, &TCalDueList::DoubleClicked);
}

TCalDueList::~TCalDueList() = default;

void TCalDueList::Clear() {
    Rows->SetEvents({});
}

void TCalDueList::Fill(const TScanList& due) {
    RowsDay = Today();
    Rows->SetEvents(due.All());
    State->ReapplySort();
}

TTickwellItem* TCalDueList::SelectedEvent() const {
    return List->SelectedEvent();
}

int TCalDueList::RowCount() const {
    return Rows->rowCount();
}
