#pragma once
// The rows of the windows' event lists: each refers to one event of the
// master list. Rows go the moment their event is freed, and taking a row away
// never leaves another one selected in its place.
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class TTickwellItem;

void SetRowEvent(QTreeWidgetItem* row, TTickwellItem* e);
// The whole description, every line, as the tooltip of each cell of the row
// (the row itself shows the first line only).
void SetDescriptionTip(QTreeWidgetItem* row, const std::string& description);
TTickwellItem* RowEvent(const QTreeWidgetItem* row);
// The first row referring to the event, or null.
QTreeWidgetItem* RowOfEvent(const QTreeWidget* list, const TTickwellItem* e);

// Deletes the row. The view would make the next row current and select it,
// so that a second key press would act on an event the user never chose;
// when the row was selected or current, nothing is afterwards.
void RemoveRow(QTreeWidget* list, QTreeWidgetItem* row);
// Every row referring to one of the events; returns how many went.
int RemoveEventRows(QTreeWidget* list, const std::vector<TTickwellItem*>& events);
