#include "ui/EventTableModel.h"
#include "ui/TextOrder.h"
#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <unordered_set>

QString ShownTypeName(bool simple, int eventType) {
    return QCoreApplication::translate("EventTypes", TypeNameOf(simple, eventType).c_str());
}

namespace {

std::string_view FirstLineOf(const std::string& text) {
    const std::string_view all(text);
    return all.substr(0, all.find("\r\n"));
}

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The name of each repeat type, once only last, and "" for a code that
// names none.
const std::string& TypeNameText(const TTickwellItem& e) {
    // Translated once: the language does not change while the program runs.
    static const std::array<std::string, 8> names = [] {
        std::array<std::string, 8> n;
        for (int type = 0; type < 6; ++type)
            n[static_cast<size_t>(type)] = ShownTypeName(false, type).toStdString();
        n[6] = ShownTypeName(true, 0).toStdString();
        return n;
    }();
    return names[e.Simple ? 6 : e.EventType < 6 ? e.EventType : 7];
}

// Numbers ascending, then any that are not a number at all.
bool KeyLess(double a, double b) {
    if (std::isnan(a) || std::isnan(b))
        return !std::isnan(a) && std::isnan(b);
    return a < b;
}

} // namespace

TEventColumn SortedByNumber(const QString& heading,
                            std::function<QString(const TTickwellItem&)> text,
                            std::function<double(const TTickwellItem&)> key) {
    TEventColumn c;
    c.Heading = heading;
    c.Text = std::move(text);
    c.SortKey = std::move(key);
    return c;
}

TEventColumn DescriptionColumn(const QString& heading) {
    TEventColumn c;
    c.Heading = heading;
    c.Text = [](const TTickwellItem& e) { return Q(FirstLineOf(e.Description)); };
    c.SortText = [](const TTickwellItem& e) { return FirstLineOf(e.Description); };
    return c;
}

TEventColumn TypeColumn(const QString& heading) {
    TEventColumn c;
    c.Heading = heading;
    c.Text = [](const TTickwellItem& e) { return QString::fromStdString(TypeNameText(e)); };
    c.SortText = [](const TTickwellItem& e) { return std::string_view(TypeNameText(e)); };
    return c;
}

TEventTableModel::TEventTableModel(std::vector<TEventColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), Columns(std::move(columns)) {}

void TEventTableModel::SetEvents(std::vector<TTickwellItem*> events) {
    beginResetModel();
    Rows = std::move(events);
    RowIndexValid = false;
    endResetModel();
}

void TEventTableModel::AppendEvent(TTickwellItem* e) {
    const int row = static_cast<int>(Rows.size());
    beginInsertRows({}, row, row);
    Rows.push_back(e);
    if (RowIndexValid)
        RowIndex.emplace(e, row);
    endInsertRows();
}

void TEventTableModel::RemoveRowAt(int row) {
    if (row < 0 || row >= static_cast<int>(Rows.size()))
        return;
    beginRemoveRows({}, row, row);
    Rows.erase(Rows.begin() + row);
    RowIndexValid = false;
    endRemoveRows();
}

void TEventTableModel::EventChanged(const TTickwellItem* e) {
    const int row = RowOf(e);
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TEventTableModel::AllChanged() {
    if (!Rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

TTickwellItem* TEventTableModel::EventAt(int row) const {
    return row >= 0 && row < static_cast<int>(Rows.size()) ? Rows[static_cast<size_t>(row)]
                                                           : nullptr;
}

int TEventTableModel::RowOf(const TTickwellItem* e) const {
    if (!RowIndexValid) {
        RowIndex.clear();
        RowIndex.reserve(Rows.size());
        for (size_t i = 0; i < Rows.size(); ++i)
            RowIndex.emplace(Rows[i], static_cast<int>(i));
        RowIndexValid = true;
    }
    const auto it = RowIndex.find(e);
    return it == RowIndex.end() ? -1 : it->second;
}

int TEventTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Rows.size());
}

int TEventTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Columns.size());
}

QVariant TEventTableModel::data(const QModelIndex& index, int role) const {
    const TTickwellItem* e = EventAt(index.row());
    if (!e || index.column() < 0 || index.column() >= columnCount())
        return {};
    const TEventColumn& c = Columns[static_cast<size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return c.Text(*e);
    case Qt::DecorationRole: {
        // A null image would still take its room in the cell.
        const QIcon icon = c.Icon ? c.Icon(*e) : QIcon();
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case Qt::TextAlignmentRole:
        return QVariant(c.Alignment);
    case Qt::ToolTipRole: {
        // The whole description, every line of it, wherever the pointer
        // rests on the row.
        QString tip = QString::fromStdString(e->Description);
        tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return tip;
    }
    default:
        return {};
    }
}

QVariant TEventTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const TEventColumn& c = Columns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return c.Heading;
    if (role == Qt::TextAlignmentRole)
        return QVariant(c.Alignment);
    return {};
}

std::vector<uint32_t>
TEventTableModel::OrderByKey(const std::function<double(const TTickwellItem&)>& key,
                             bool descending) const {
    std::vector<double> keys(Rows.size());
    for (size_t i = 0; i < Rows.size(); ++i)
        keys[i] = key(*Rows[i]);
    std::vector<uint32_t> order(Rows.size());
    std::iota(order.begin(), order.end(), uint32_t{0});
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return descending ? KeyLess(keys[b], keys[a]) : KeyLess(keys[a], keys[b]);
    });
    return order;
}

std::vector<uint32_t> TEventTableModel::SortOrder(int column, bool descending) const {
    const TEventColumn& c = Columns[static_cast<size_t>(column)];
    if (c.SortKey)
        return OrderByKey(c.SortKey, descending);
    std::vector<std::string> owned;
    std::vector<std::string_view> texts(Rows.size());
    if (c.SortText) {
        for (size_t i = 0; i < Rows.size(); ++i)
            texts[i] = c.SortText(*Rows[i]);
    } else {
        owned.resize(Rows.size());
        for (size_t i = 0; i < Rows.size(); ++i)
            texts[i] = owned[i] = c.Text(*Rows[i]).toStdString();
    }
    return OrderOfTexts(texts, descending);
}

void TEventTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount() || Rows.size() < 2)
        return;
    Arrange(SortOrder(column, order == Qt::DescendingOrder));
}

void TEventTableModel::SortBy(const std::function<double(const TTickwellItem&)>& key) {
    if (Rows.size() >= 2)
        Arrange(OrderByKey(key, false));
}

void TEventTableModel::Arrange(const std::vector<uint32_t>& sorted) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<TTickwellItem*> rows(Rows.size());
    std::vector<int> movedTo(Rows.size());
    for (size_t i = 0; i < sorted.size(); ++i) {
        rows[i] = Rows[sorted[i]];
        movedTo[sorted[i]] = static_cast<int>(i);
    }
    Rows.swap(rows);
    RowIndexValid = false;
    // The selection and the current row stay with their events.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before)
        after << index(movedTo[static_cast<size_t>(old.row())], old.column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TEventTableModel::EventsFreeing(const std::vector<TTickwellItem*>& events) {
    const std::unordered_set<const TTickwellItem*> gone(events.begin(), events.end());
    // Runs of rows [first, last] that go.
    std::vector<std::pair<int, int>> runs;
    for (int row = 0; row < rowCount(); ++row)
        if (gone.count(Rows[static_cast<size_t>(row)])) {
            if (!runs.empty() && runs.back().second == row - 1)
                runs.back().second = row;
            else
                runs.emplace_back(row, row);
        }
    if (runs.empty())
        return;
    // A few runs go one by one, the rest staying as they were (selected or
    // not); many, as when old events are cleared out, at once, which every
    // window follows with a new list anyway.
    constexpr size_t kFewRuns = 16;
    if (runs.size() > kFewRuns) {
        beginResetModel();
        std::erase_if(Rows, [&](const TTickwellItem* e) { return gone.count(e) != 0; });
        RowIndexValid = false;
        endResetModel();
        return;
    }
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        beginRemoveRows({}, run->first, run->second);
        Rows.erase(Rows.begin() + run->first, Rows.begin() + run->second + 1);
        RowIndexValid = false;
        endRemoveRows();
    }
}
