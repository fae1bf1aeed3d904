#include "ui/DateBox.h"
#include "core/FormatSettings.h"
#include "ui/Theme.h"
#include <QCalendarWidget>
#include <QTextCharFormat>
#include <algorithm>
#include <cmath>

namespace {
// 30 December 1899, day 0 of the date type.
const qint64 kDayZeroJulian = QDate(1899, 12, 30).toJulianDay();
} // namespace

QDate ToQDate(TDateTime d) {
    return QDate::fromJulianDay(kDayZeroJulian + DayNumber(d));
}

TDateTime FromQDate(const QDate& d) {
    return static_cast<TDateTime>(d.toJulianDay() - kDayZeroJulian);
}

QString QtDatePattern(const std::string& pattern, char dateSeparator) {
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        // Only letters and quotes need quoting in a Qt format.
        const bool quote = std::any_of(literal.begin(), literal.end(),
                                       [](QChar c) { return c.isLetter() || c == '\''; });
        out += quote ? '\'' + literal.replace("'", "''") + '\'' : literal;
        literal.clear();
    };
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lc == 'd' || lc == 'm' || lc == 'y') {
            flushLiteral();
            size_t n = 1;
            while (i + n < pattern.size() &&
                   std::tolower(static_cast<unsigned char>(pattern[i + n])) == lc)
                ++n;
            i += n - 1;
            if (lc == 'd')
                out += n == 1 ? "d" : n == 2 ? "dd" : n == 3 ? "ddd" : "dddd";
            else if (lc == 'm')
                out += n == 1 ? "M" : n == 2 ? "MM" : n == 3 ? "MMM" : "MMMM";
            else
                out += n <= 2 ? "yy" : "yyyy";
        } else if (c == '/') {
            literal += QChar::fromLatin1(dateSeparator);
        } else if (c == '"' || c == '\'') {
            const size_t end = pattern.find(c, i + 1);
            const size_t stop = end == std::string::npos ? pattern.size() : end;
            literal += QString::fromStdString(pattern.substr(i + 1, stop - i - 1));
            i = stop;
        } else {
            literal += QChar::fromLatin1(c);
        }
    }
    flushLiteral();
    return out;
}

TDateBox::TDateBox(QWidget* parent) : QDateEdit(parent) {
    // The whole range of the date type, so no stored date is clamped.
    setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    setCalendarPopup(true);
    const TFormatSettings& fs = FormatSettings();
    setDisplayFormat(QtDatePattern(fs.ShortDateFormat, fs.DateSeparator));
    QCalendarWidget* cal = calendarWidget();
    QTextCharFormat weekend = cal->weekdayTextFormat(Qt::Saturday);
    weekend.setForeground(ReadableOn(QColor(128, 0, 0), cal->palette().color(QPalette::Base)));
    cal->setWeekdayTextFormat(Qt::Saturday, weekend);
    cal->setWeekdayTextFormat(Qt::Sunday, weekend);
    cal->setGridVisible(false);
    SetWeekStart(false);
}

void TDateBox::SetWeekStart(bool sunday) {
    calendarWidget()->setFirstDayOfWeek(sunday ? Qt::Sunday : Qt::Monday);
}
