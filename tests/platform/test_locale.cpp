#include "platform/Locale.h"
#include <QLocale>
#include <gtest/gtest.h>

namespace {

// The short date follows the locale's order and separator; without a numeric
// separator (the C locale) it is year-month-day. Index 0 is Sunday and
// January, and the time separator is the locale's (Finnish writes times as
// 13.45).
TEST(LocaleFormatSettings, DatesNamesAndTimesFollowTheLocale) {
    const struct {
        QLocale Locale;
        const char* Expected; // the short date, then its separator
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "mm/dd/yyyy /"},
        {QLocale(QLocale::German, QLocale::Germany), "dd.mm.yyyy ."},
        {QLocale(QLocale::Japanese, QLocale::Japan), "yyyy/mm/dd /"},
        {QLocale::c(), "yyyy-mm-dd -"},
    };
    for (const auto& c : cases) {
        const TFormatSettings fs = LocaleFormatSettings(c.Locale);
        EXPECT_EQ(fs.ShortDateFormat + ' ' + fs.DateSeparator, c.Expected)
            << c.Locale.name().toStdString();
    }
    const TFormatSettings us = LocaleFormatSettings(cases[0].Locale);
    EXPECT_EQ(us.ShortDayNames[0] + us.LongDayNames[6] + us.LongMonthNames[11],
              "SunSaturdayDecember");
    EXPECT_EQ(LocaleFormatSettings(QLocale(QLocale::Finnish, QLocale::Finland)).TimeSeparator, '.');
}

} // namespace
