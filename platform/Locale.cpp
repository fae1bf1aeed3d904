#include "platform/Locale.h"

#include <QLocale>
#include <QString>

namespace {

bool IsPatternLetter(QChar c) {
    return c == u'd' || c == u'M' || c == u'y';
}

// The first character between two fields of the short date format, when the
// month is numeric and fields are split by punctuation.
QChar DateSeparator(const QString& format) {
    if (format.contains(u"MMM"))
        return QChar();
    qsizetype i = 0;
    while (i < format.size() && !IsPatternLetter(format[i]))
        ++i;
    while (i < format.size() && IsPatternLetter(format[i]))
        ++i;
    if (i >= format.size())
        return QChar();
    const QChar sep = format[i];
    if (sep.isLetterOrNumber() || sep.isSpace() || sep == u'\'' || sep.unicode() > 127)
        return QChar();
    return sep;
}

// Qt's short date pattern from the first field on, so its first letter tells
// the order.
std::string FromFirstField(const QString& format) {
    qsizetype i = 0;
    while (i < format.size() && !IsPatternLetter(format[i]))
        ++i;
    return format.mid(i).toStdString();
}

char TimeSeparator(const QString& format) {
    const qsizetype h = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    if (h < 0)
        return ':';
    qsizetype i = h;
    while (i < format.size() && (format[i] == u'h' || format[i] == u'H'))
        ++i;
    if (i < format.size() && format[i].unicode() < 128 && !format[i].isLetterOrNumber() &&
        !format[i].isSpace() && format[i] != u'\'')
        return static_cast<char>(format[i].unicode());
    return ':';
}

// Qt's date letters are the program's except the month, which is "M" there.
std::string DatePattern(const QString& qtFormat) {
    std::string out;
    bool quoted = false;
    for (QChar c : qtFormat) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u'M')
            out += 'm';
        else
            out += QString(c).toStdString();
    }
    return out;
}

} // namespace

TFormatSettings LocaleFormatSettings(const QLocale& locale) {
    TFormatSettings fs;
    // Qt numbers the days from Monday = 1; the program from Sunday.
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;
        fs.ShortDayNames[static_cast<size_t>(i)] =
            locale.dayName(qtDay, QLocale::ShortFormat).toStdString();
        fs.LongDayNames[static_cast<size_t>(i)] =
            locale.dayName(qtDay, QLocale::LongFormat).toStdString();
    }
    for (int m = 1; m <= 12; ++m) {
        fs.ShortMonthNames[static_cast<size_t>(m - 1)] =
            locale.monthName(m, QLocale::ShortFormat).toStdString();
        fs.LongMonthNames[static_cast<size_t>(m - 1)] =
            locale.monthName(m, QLocale::LongFormat).toStdString();
    }
    fs.TimeAMString = locale.amText().toStdString();
    fs.TimePMString = locale.pmText().toStdString();
    fs.TimeSeparator = TimeSeparator(locale.timeFormat(QLocale::ShortFormat));
    fs.LongDateFormat = DatePattern(locale.dateFormat(QLocale::LongFormat));

    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    const QChar sep = DateSeparator(shortFormat);
    if (sep.isNull()) {
        fs.DateSeparator = '-';
        fs.ShortDateFormat = FixShortDateFormat("yyyy-mm-dd", '-');
        fs.ShortDateFromLocale = false;
    } else {
        fs.DateSeparator = static_cast<char>(sep.unicode());
        fs.ShortDateFormat = FixShortDateFormat(FromFirstField(shortFormat), fs.DateSeparator);
    }
    return fs;
}

TFormatSettings SystemFormatSettings() {
    return LocaleFormatSettings(QLocale::system());
}
