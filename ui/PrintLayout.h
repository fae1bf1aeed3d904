#pragma once
// The page layout of a printed event list, worked out apart from any printer
// so that it can be checked on its own: which text goes where on which page.
// Pages are laid out one at a time from the rows of a model, so a list of any
// length is printed without a copy of it.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

class QAbstractItemModel;
class TEventTableModel;
class TListSorted;

struct TPrintCell {
    QString Text;
    int Width = 0; // tenths of an inch
};
using TPrintRow = QList<TPrintCell>;

struct TPrintMetrics {
    int PixX = 0;       // printer pixels per inch across
    int PixY = 0;       // printer pixels per inch down
    int PageWidth = 0;  // printable area, printer pixels
    int PageHeight = 0; // printable area, printer pixels
    int TextHeight = 0; // height of "X" in the chosen font
    int TitleWidth = 0; // width of the title in the bold, underlined font
};

// One piece of text to draw: at Origin (its top left), clipped to Clip when
// that is not empty, in the bold underlined style when Styled.
struct TPrintRun {
    QString Text;
    QPoint Origin;
    QRect Clip;
    bool Styled = false;
};
using TPrintPage = QList<TPrintRun>;

// The heading row: "EVENT DESCRIPTION" 35, "NEXT EVENT" 15, "TYPE" 15,
// "WHEN" 15.
TPrintRow HeadingRow();
// One row per event of the list as it is now: description, next date, type
// and interval, and the days to the next date (all events) or to the scan
// date (due only), in the heading's four columns.
std::unique_ptr<TEventTableModel> PrintRows(const TListSorted& source, bool dueOnly);
// "ALL TICKWELL EVENTS:" or "DUE TICKWELL EVENTS:" and today's date in the
// due list's date pattern.
QString PrintTitle(bool dueOnly, const std::string& dueDateFormat);

// The page that begins with row `first`: the title centred at the top (when
// not empty) and the heading row, then rows from `first` on, each advancing
// by two tenths of the vertical inch, until the next line would not fit.
// `first` moves past the rows placed; a page always takes at least one row
// while rows are left.
TPrintPage LayoutPage(const QString& title, const QAbstractItemModel& rows, int& first,
                      const TPrintMetrics& m);
