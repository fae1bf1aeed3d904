#include "cli/ReadingCommands.h"
#include "cli/EventOutput.h"
#include "cli/MonthGrid.h"
#include "cli/TerminalText.h"
#include "platform/CalendarNames.h"

bool IsReadingCommand(TCliCommand command) {
    return command == TCliCommand::List || command == TCliCommand::Due ||
           command == TCliCommand::Month;
}

TExitStatus RunReadingCommand(const TCliContext& c) {
    const TCliArgs& a = c.Args;
    const TMyList& list = c.Book.MasterList;
    std::ostream& out = c.Io.Out;
    if (a.Command == TCliCommand::Due)
        c.Book.Scan();
    if (a.Json || c.Io.Form == TOutputForm::Rows) {
        if (a.Command == TCliCommand::List)
            WriteList(out, list, a.Json);
        else if (a.Command == TCliCommand::Due)
            WriteDue(out, list, c.Book.DueList, a.Json, list.SnoozedDue());
        else
            WriteMonth(out, list, a.Year, a.Month, a.Json);
        return esDone;
    }
    const TTerminalStyle style{SystemCalendarNames(), c.Io.Form == TOutputForm::ColourWords,
                               c.Io.Columns};
    if (a.Command == TCliCommand::List)
        WriteListWords(out, list, style);
    else if (a.Command == TCliCommand::Due)
        WriteDueWords(out, c.Book.DueList, list.SnoozedDue(), style);
    else
        WriteMonthGrid(out, list, a.Year, a.Month, style);
    return esDone;
}
