#include "core/EventsByDay.h"
#include <algorithm>

void ForEachOccurring(const TListSorted& list, TDateTime first, int count,
                      const std::function<void(int, const std::vector<TDateTime>&)>& found) {
    std::vector<TDateTime> hits;
    for (int i = 0; count > 0 && i < list.Count(); ++i) {
        hits.clear();
        list[i]->DaysOccurring(first, first + count - 1, hits);
        if (!hits.empty())
            found(i, hits);
    }
}

std::vector<std::vector<TTickwellItem*>> EventsByDay(const TListSorted& list, TDateTime first,
                                                     int count) {
    std::vector<std::vector<TTickwellItem*>> out(static_cast<size_t>(std::max(count, 0)));
    ForEachOccurring(list, first, count, [&](int i, const std::vector<TDateTime>& days) {
        for (const TDateTime day : days)
            out[static_cast<size_t>(day - first)].push_back(list[i]);
    });
    for (auto& day : out)
        std::stable_sort(day.begin(), day.end(), AddedEarlier);
    return out;
}
