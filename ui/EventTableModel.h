#pragma once
// Events as the rows of a list view. A row is only a pointer to its event
// (the master list owns the events) and every cell is worked out from the
// event when it is drawn, so a list of any length costs a few bytes a row,
// and a change to an event needs no more than its row drawn again. A freed
// event's row goes by itself.
#include "core/EventLists.h"
#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TEventColumn {
    QString Heading;
    std::function<QString(const TTickwellItem&)> Text;
    // What a click on the heading sorts by: a number (a date, a day count),
    // or, without one, SortText in the order of the user's language.
    std::function<double(const TTickwellItem&)> SortKey;
    std::function<std::string_view(const TTickwellItem&)> SortText;
    // The cell's image, when the column has one.
    std::function<QIcon(const TTickwellItem&)> Icon;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// Cells showing the text, sorted by the number.
TEventColumn SortedByNumber(const QString& heading,
                            std::function<QString(const TTickwellItem&)> text,
                            std::function<double(const TTickwellItem&)> key);
// The first line of the description, as the lists show it, sorted by text.
TEventColumn DescriptionColumn(const QString& heading);
// The repeat type's name, sorted by name.
TEventColumn TypeColumn(const QString& heading);

// The repeat type's name (TypeNameOf) in the user's language.
QString ShownTypeName(bool simple, int eventType);

class TEventTableModel : public QAbstractTableModel, private TEventWatcher {
    Q_OBJECT
public:
    explicit TEventTableModel(std::vector<TEventColumn> columns, QObject* parent = nullptr);

    // One row for each event, in this order.
    void SetEvents(std::vector<TTickwellItem*> events);
    void AppendEvent(TTickwellItem* e);
    void RemoveRowAt(int row);
    // Draws the event's row again, or every row.
    void EventChanged(const TTickwellItem* e);
    void AllChanged();

    const std::vector<TTickwellItem*>& Events() const { return Rows; }
    // Null outside the rows.
    TTickwellItem* EventAt(int row) const;
    // The first row of the event, or -1.
    int RowOf(const TTickwellItem* e) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A stable sort of the rows as they are; rows keep their selection.
    void sort(int column, Qt::SortOrder order) override;
    // The same by a key of the caller's, ascending.
    void SortBy(const std::function<double(const TTickwellItem&)>& key);

private:
    void EventsFreeing(const std::vector<TTickwellItem*>& events) override;
    std::vector<uint32_t> SortOrder(int column, bool descending) const;
    std::vector<uint32_t> OrderByKey(const std::function<double(const TTickwellItem&)>& key,
                                     bool descending) const;
    // Puts the rows in the order given (the old row of each new one).
    void Arrange(const std::vector<uint32_t>& sorted);

    std::vector<TEventColumn> Columns;
    std::vector<TTickwellItem*> Rows;
    // The row of each event, made on the first look-up after rows were
    // added, taken away or sorted, so a command finds its row at once.
    mutable std::unordered_map<const TTickwellItem*, int> RowIndex;
    mutable bool RowIndexValid = false;
};
