#pragma once
// The calendar's week page: seven day boxes, from the first day of the week
// on, in three rows of equal height and two columns of equal width; the last
// box holds the sixth day over the seventh. Each box has a heading (day number and day name) over
// a list of that day's events.
#include <QAbstractListModel>
#include <QWidget>
#include <array>
#include <unordered_set>
#include <vector>

class QLabel;
class QListView;
class TTickwellItem;

// The events of one day, shown by their first lines; each row refers to an
// event of the master list.
class TDayEventsModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    void SetEvents(std::vector<TTickwellItem*> events);
    const std::vector<TTickwellItem*>& Events() const { return Rows; }
    TTickwellItem* EventAt(int row) const;
    // Takes out the rows of events about to be freed.
    void Forget(const std::unordered_set<const TTickwellItem*>& events);

private:
    std::vector<TTickwellItem*> Rows;
};

class TCalWeekPage : public QWidget {
    Q_OBJECT
public:
    explicit TCalWeekPage(QWidget* parent = nullptr);

    // day 1 (the week's first day) .. 7.
    QListView* List(int day) const { return Boxes[day - 1].List; }
    TDayEventsModel* Model(int day) const { return Boxes[day - 1].Model; }
    QWidget* Heading(int day) const { return Boxes[day - 1].Heading; }
    QLabel* DayNumber(int day) const { return Boxes[day - 1].Number; }
    QLabel* DayName(int day) const { return Boxes[day - 1].Name; }
    QWidget* Box(int day) const { return Boxes[day - 1].Frame; }
    // The day (1..7) of a list, of its viewport, or of a heading or one of
    // its captions; 0 for anything else.
    int DayOf(const QObject* o) const;
    // The day whose list holds the event selected there, or 0.
    int DayWithSelection() const;
    TTickwellItem* SelectedEvent(int day) const;

    void SetHeading(int day, const QString& number, const QString& name, const QColor& colour);
    void SetListFont(const QFont& font);
    void SetListColour(const QColor& colour);
    void SetHeadingFamily(const QString& family);
    void ClearSelections(int exceptDay = 0);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    struct TDayBox {
        QWidget* Frame = nullptr;
        QWidget* Heading = nullptr;
        QLabel* Number = nullptr;
        QLabel* Name = nullptr;
        QListView* List = nullptr;
        TDayEventsModel* Model = nullptr;
    };
    std::array<TDayBox, 7> Boxes;
};
