#include "ui/CalWeekPage.h"
#include "core/TickwellItem.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

int TDayEventsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Rows.size());
}

QVariant TDayEventsModel::data(const QModelIndex& index, int role) const {
    const TTickwellItem* e = EventAt(index.row());
    if (!e)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(FirstLine(e->Description));
    if (role == Qt::ToolTipRole)
        return QString::fromStdString(e->Description).replace(QStringLiteral("\r\n"), "\n");
    return {};
}

void TDayEventsModel::SetEvents(std::vector<TTickwellItem*> events) {
    beginResetModel();
    Rows = std::move(events);
    endResetModel();
}

void TDayEventsModel::Forget(const std::unordered_set<const TTickwellItem*>& events) {
    for (int row = static_cast<int>(Rows.size()) - 1; row >= 0; --row)
        if (events.count(Rows[static_cast<size_t>(row)])) {
            beginRemoveRows(QModelIndex(), row, row);
            Rows.erase(Rows.begin() + row);
            endRemoveRows();
        }
}

TTickwellItem* TDayEventsModel::EventAt(int row) const {
    return row >= 0 && row < static_cast<int>(Rows.size()) ? Rows[static_cast<size_t>(row)]
                                                           : nullptr;
}

TCalWeekPage::TCalWeekPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WeekPage"));
    for (int day = 1; day <= 7; ++day) {
        TDayBox& b = Boxes[day - 1];
        b.Frame = new QWidget(this);
        b.Frame->setObjectName(QStringLiteral("DayBox%1").arg(day));
        b.Heading = new QWidget(b.Frame);
        b.Heading->setObjectName(QStringLiteral("Heading%1").arg(day));
        b.Heading->setAutoFillBackground(true);
        b.Heading->setBackgroundRole(QPalette::Button);
        b.Number = new QLabel(b.Heading);
        b.Name = new QLabel(b.Heading);
        for (QLabel* l : {b.Number, b.Name}) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
            l->setTextFormat(Qt::PlainText);
            // On the heading's button-coloured bar a label would write in
            // button text; the day-label colour is set as window text.
            l->setForegroundRole(QPalette::WindowText);
        }
        auto* heading = new QHBoxLayout(b.Heading);
        heading->setContentsMargins(4, 1, 4, 1);
        heading->addWidget(b.Number);
        heading->addWidget(b.Name, 1);
        b.Model = new TDayEventsModel(this);
        b.List = new QListView(b.Frame);
        b.List->setObjectName(QStringLiteral("ListBox%1").arg(day));
        b.List->setProperty("tag", day);
        b.List->setModel(b.Model);
        b.List->setUniformItemSizes(true);
        b.List->setSelectionMode(QAbstractItemView::SingleSelection);
        b.List->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // Long first lines end in an ellipsis; the tooltip has the whole text.
        b.List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        b.List->setTextElideMode(Qt::ElideRight);
        auto* box = new QVBoxLayout(b.Frame);
        box->setContentsMargins(1, 1, 1, 1);
        box->setSpacing(0);
        box->addWidget(b.Heading);
        box->addWidget(b.List, 1);
    }
}

int TCalWeekPage::DayOf(const QObject* o) const {
    for (int day = 1; day <= 7; ++day) {
        const TDayBox& b = Boxes[day - 1];
        if (o == b.List || o == b.List->viewport() || o == b.Heading || o == b.Number ||
            o == b.Name)
            return day;
    }
    return 0;
}

TTickwellItem* TCalWeekPage::SelectedEvent(int day) const {
    if (day < 1 || day > 7)
        return nullptr;
    const QModelIndexList rows = List(day)->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : Model(day)->EventAt(rows.first().row());
}

int TCalWeekPage::DayWithSelection() const {
    for (int day = 1; day <= 7; ++day)
        if (SelectedEvent(day))
            return day;
    return 0;
}

void TCalWeekPage::SetHeading(int day, const QString& number, const QString& name,
                              const QColor& colour) {
    const TDayBox& b = Boxes[day - 1];
    b.Number->setText(number);
    b.Name->setText(name);
    for (QLabel* l : {b.Number, b.Name}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, colour);
        l->setPalette(p);
    }
}

void TCalWeekPage::SetListFont(const QFont& font) {
    for (const TDayBox& b : Boxes)
        b.List->setFont(font);
}

void TCalWeekPage::SetListColour(const QColor& colour) {
    for (const TDayBox& b : Boxes) {
        QPalette p = b.List->palette();
        p.setColor(QPalette::Text, colour);
        b.List->setPalette(p);
    }
}

void TCalWeekPage::SetHeadingFamily(const QString& family) {
    for (const TDayBox& b : Boxes)
        for (QLabel* l : {b.Number, b.Name}) {
            QFont f = l->font();
            f.setFamily(family);
            l->setFont(f);
        }
}

void TCalWeekPage::ClearSelections(int exceptDay) {
    for (int day = 1; day <= 7; ++day)
        if (day != exceptDay)
            List(day)->clearSelection();
}

void TCalWeekPage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Thirds and halves of the page, each cut to whole pixels.
    const int rowHeight = height() / 3;
    const int leftWidth = width() / 2;
    const int rightWidth = width() - leftWidth;
    const int half = rowHeight / 2;
    for (int day = 1; day <= 3; ++day)
        Box(day)->setGeometry(0, (day - 1) * rowHeight, leftWidth, rowHeight);
    for (int day = 4; day <= 5; ++day)
        Box(day)->setGeometry(leftWidth, (day - 4) * rowHeight, rightWidth, rowHeight);
    Box(6)->setGeometry(leftWidth, 2 * rowHeight, rightWidth, half);
    Box(7)->setGeometry(leftWidth, 2 * rowHeight + half, rightWidth, rowHeight - half);
}
