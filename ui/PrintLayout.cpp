#include "ui/PrintLayout.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "core/Globals.h"
#include <cmath>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The state of one layout pass: the current line's top and the pages so far.
class TLayout {
public:
    TLayout(const QString& title, const TPrintMetrics& m)
        : Title(title), M(m), Gap(m.PixY / 10), LineH(m.TextHeight + m.PixY / 10) {}

    void StartPage() {
        Pages.append(TPrintPage{});
        Y = 0;
        if (!Title.isEmpty()) {
            Pages.last().append(
                {Title, QPoint(M.PageWidth / 2 - M.TitleWidth / 2, 0), QRect(), true});
            Y += LineH + Gap;
        }
        PrintRow(HeadingRow(), true);
    }

    void PrintRow(const TPrintRow& row, bool styled) {
        int x = 0;
        for (const TPrintCell& cell : row) {
            // A width unit is a tenth of an inch; halves round to even.
            const int right = x + static_cast<int>(std::nearbyint(cell.Width * M.PixX / 10.0));
            Pages.last().append({cell.Text, QPoint(x, Y),
                                 QRect(QPoint(x, Y), QPoint(right - 1, Y + LineH - 1)), styled});
            x = right;
        }
        Y += 2 * Gap;
    }

    bool PageFull() const { return M.PageHeight < Y + LineH; }

    QList<TPrintPage> Pages;

private:
    QString Title;
    TPrintMetrics M;
    int Gap;
    int LineH;
    int Y = 0;
};

} // namespace

TPrintRow HeadingRow() {
    return {{QStringLiteral("EVENT DESCRIPTION"), 35},
            {QStringLiteral("NEXT EVENT"), 15},
            {QStringLiteral("TYPE"), 15},
            {QStringLiteral("WHEN"), 15}};
}

QList<TPrintRow> EventRows(const TListSorted& source, bool dueOnly) {
    QList<TPrintRow> rows;
    rows.reserve(source.Count());
    const TDateTime today = Today();
    for (const TTickwellItem* e : source.All()) {
        // One line per event: the line break of a description is a blank.
        QString description = Q(e->Description);
        description.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        description.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QString when =
            dueOnly ? QString::number(static_cast<long long>(std::nearbyint(e->ScanDate - today)))
                    : Q(e->DaysToNextText());
        rows.append({{description, 35},
                     {Q(e->NextDateText()), 15},
                     {Q(e->TypeName()) + QStringLiteral(" (") + QString::number(e->Interval) +
                          QStringLiteral(")"),
                      15},
                     {when, 15}});
    }
    return rows;
}

QString PrintTitle(bool dueOnly) {
    const QString title =
        dueOnly ? QStringLiteral("DUE TICKWELL EVENTS:") : QStringLiteral("ALL TICKWELL EVENTS:");
    // The due-events window sets the pattern; until it has, the short date.
    const std::string pattern =
        DueList && !DueList->DateFormat.empty() ? DueList->DateFormat : std::string("ddddd");
    return title + Q(FormatDateTime(pattern, Today()));
}

QList<TPrintPage> LayoutPages(const QString& title, const QList<TPrintRow>& rows,
                              const TPrintMetrics& m) {
    TLayout layout(title, m);
    layout.StartPage();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // A page is only begun for a row that is left to print, so a list
        // that just fills its page ends without a page of headings alone.
        if (i > 0 && layout.PageFull())
            layout.StartPage();
        layout.PrintRow(rows[i], false);
    }
    return layout.Pages;
}
