#include "ui/PrintLayout.h"
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/EventLists.h"
#include "ui/EventTableModel.h"
#include <QCoreApplication>
#include <cmath>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int kWidths[4] = {35, 15, 15, 15};

// The state of one page's layout: the current line's top and the runs so far.
class TLayout {
public:
    TLayout(const QString& title, const TPrintMetrics& m)
        : Title(title), M(m), Gap(m.PixY / 10), LineH(m.TextHeight + m.PixY / 10) {}

    void StartPage() {
        Y = 0;
        if (!Title.isEmpty()) {
            Page.append({Title, QPoint(M.PageWidth / 2 - M.TitleWidth / 2, 0), QRect(), true});
            Y += LineH + Gap;
        }
        PrintRow(HeadingRow(), true);
    }

    void PrintRow(const TPrintRow& row, bool styled) {
        int x = 0;
        for (const TPrintCell& cell : row) {
            // A width unit is a tenth of an inch; halves round to even.
            const int right = x + static_cast<int>(std::nearbyint(cell.Width * M.PixX / 10.0));
            Page.append({cell.Text, QPoint(x, Y),
                         QRect(QPoint(x, Y), QPoint(right - 1, Y + LineH - 1)), styled});
            x = right;
        }
        Y += 2 * Gap;
    }

    bool PageFull() const { return M.PageHeight < Y + LineH; }

    TPrintPage Page;

private:
    QString Title;
    TPrintMetrics M;
    int Gap;
    int LineH;
    int Y = 0;
};

TPrintRow RowOf(const QAbstractItemModel& rows, int row) {
    TPrintRow cells;
    for (int c = 0; c < 4; ++c)
        cells.append({rows.index(row, c).data().toString(), kWidths[c]});
    return cells;
}

} // namespace

TPrintRow HeadingRow() {
    return {{QCoreApplication::translate("TprnMainFrm", "EVENT DESCRIPTION"), kWidths[0]},
            {QCoreApplication::translate("TprnMainFrm", "NEXT EVENT"), kWidths[1]},
            {QCoreApplication::translate("TprnMainFrm", "TYPE"), kWidths[2]},
            {QCoreApplication::translate("TprnMainFrm", "WHEN"), kWidths[3]}};
}

std::unique_ptr<TEventTableModel> PrintRows(const TListSorted& source, bool dueOnly) {
    const TPrintRow heading = HeadingRow();
    std::vector<TEventColumn> columns(4);
    for (size_t c = 0; c < columns.size(); ++c)
        columns[c].Heading = heading[static_cast<qsizetype>(c)].Text;
    columns[0].Text = [](const TTickwellItem& e) {
        // One line per event: the line break of a description is a blank.
        QString description = Q(e.Description);
        description.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        description.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return description;
    };
    columns[1].Text = [](const TTickwellItem& e) { return Q(e.NextDateText()); };
    columns[2].Text = [](const TTickwellItem& e) {
        return ShownTypeName(e.Simple, e.EventType) + QStringLiteral(" (") +
               QString::number(e.Interval) + QStringLiteral(")");
    };
    if (dueOnly)
        columns[3].Text = [](const TTickwellItem& e) {
            return QString::number(static_cast<long long>(std::nearbyint(e.ScanDate - Today())));
        };
    else
        columns[3].Text = [](const TTickwellItem& e) { return Q(e.DaysToNextText()); };
    auto rows = std::make_unique<TEventTableModel>(std::move(columns));
    rows->SetEvents(source.All());
    return rows;
}

QString PrintTitle(bool dueOnly, const std::string& dueDateFormat) {
    const QString title = dueOnly
                              ? QCoreApplication::translate("TprnMainFrm", "DUE TICKWELL EVENTS:")
                              : QCoreApplication::translate("TprnMainFrm", "ALL TICKWELL EVENTS:");
    // The due-events window sets the pattern; until it has, the short date.
    const std::string pattern = !dueDateFormat.empty() ? dueDateFormat : std::string("ddddd");
    return title + Q(FormatDateTime(pattern, Today()));
}

TPrintPage LayoutPage(const QString& title, const QAbstractItemModel& rows, int& first,
                      const TPrintMetrics& m) {
    TLayout layout(title, m);
    layout.StartPage();
    for (bool any = false; first < rows.rowCount() && !(any && layout.PageFull()); any = true)
        layout.PrintRow(RowOf(rows, first++), false);
    return layout.Page;
}
