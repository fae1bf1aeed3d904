#include "platform/Locale.h"
#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(LocaleFormatSettings, ShortDateFormatFollowsTheLocalesOrderAndSeparator) {
    struct {
        QLocale::Language Language;
        QLocale::Territory Territory;
        const char* Expected;
        char Separator;
    } cases[] = {
        {QLocale::English, QLocale::UnitedStates, "mm/dd/yyyy", '/'},
        {QLocale::German, QLocale::Germany, "dd.mm.yyyy", '.'},
        {QLocale::Swedish, QLocale::Sweden, "yyyy-mm-dd", '-'},
        {QLocale::Japanese, QLocale::Japan, "yyyy/mm/dd", '/'},
    };
    for (const auto& c : cases) {
        const QLocale locale(c.Language, c.Territory);
        const TFormatSettings fs = LocaleFormatSettings(locale);
        EXPECT_EQ(fs.ShortDateFormat, c.Expected) << locale.name().toStdString();
        EXPECT_EQ(fs.DateSeparator, c.Separator) << locale.name().toStdString();
    }
}

TEST(LocaleFormatSettings, WithoutANumericSeparatorTheDateIsYearMonthDay) {
    EXPECT_EQ(LocaleFormatSettings(QLocale::c()).ShortDateFormat, "yyyy-mm-dd");
}

// Index 0 is Sunday and January, and the time separator is the locale's
// (Finnish writes times as 13.45).
TEST(LocaleFormatSettings, NamesAndTimeSeparator) {
    const TFormatSettings us =
        LocaleFormatSettings(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.ShortDayNames[0], "Sun");
    EXPECT_EQ(us.LongDayNames[6], "Saturday");
    EXPECT_EQ(us.LongMonthNames[11], "December");
    const TFormatSettings fi = LocaleFormatSettings(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(fi.TimeSeparator, '.');
}

} // namespace
