#pragma once
// The event book's notices as Qt signals, so that each window and list model
// follows the changes it cares about. Receivers are called at once, while the
// command that changed the book still runs, so every window is up to date
// behind the command's closing notice.
#include "store/EventBook.h"
#include <QObject>
#include <vector>

class TEventBookSignals : public QObject, private TEventBookReader {
    Q_OBJECT
public:
    explicit TEventBookSignals(TEventBook& book, QObject* parent = nullptr);
    ~TEventBookSignals() override;

    TEventBook& Book() const { return TheBook; }

signals:
    void Added(const std::vector<TTickwellItem*>& events);
    void Changed(const std::vector<TTickwellItem*>& events);
    // Out of the lists, freed once every receiver has been told.
    void Removed(const std::vector<TTickwellItem*>& events);
    void Reset();
    void DueRebuilt();

private:
    void EventsAdded(const std::vector<TTickwellItem*>& events) override { emit Added(events); }
    void EventsChanged(const std::vector<TTickwellItem*>& events) override { emit Changed(events); }
    void EventsRemoved(const std::vector<TTickwellItem*>& events) override { emit Removed(events); }
    void EventsReset() override { emit Reset(); }
    void DueListRebuilt() override { emit DueRebuilt(); }

    TEventBook& TheBook;
};
