#pragma once
// The lines a month cell shows under its day number: the first lines of the
// day's events in list order, each on one line cut with an ellipsis or broken
// into words over several, as many as the cell has room for; when some do
// not fit, the last line says how many more there are.
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

struct TCellLines {
    QStringList Lines;
    // Events with no line in the cell; "+N more" is then the last line, or,
    // when the cell has no line to spare, N goes beside the day number.
    int Hidden = 0;
};

// count events, the text of each from text(k); maxLines lines of width pixels
// in font.
TCellLines LayOutCellLines(int count, const std::function<QString(int)>& text, const QFont& font,
                           int width, int maxLines, bool wrap);

// "+3 more".
QString MoreText(int hidden);
