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
        {QLocale::English, QLocale::UnitedKingdom, "dd/mm/yyyy", '/'},
        {QLocale::German, QLocale::Germany, "dd.mm.yyyy", '.'},
        {QLocale::Swedish, QLocale::Sweden, "yyyy-mm-dd", '-'},
        {QLocale::Dutch, QLocale::Netherlands, "dd-mm-yyyy", '-'},
        {QLocale::Japanese, QLocale::Japan, "yyyy/mm/dd", '/'},
    };
    for (const auto& c : cases) {
        const QLocale locale(c.Language, c.Territory);
        const TFormatSettings fs = LocaleFormatSettings(locale);
        EXPECT_EQ(fs.ShortDateFormat, c.Expected)
            << locale.name().toStdString() << " "
            << locale.dateFormat(QLocale::ShortFormat).toStdString();
        EXPECT_EQ(fs.DateSeparator, c.Separator) << locale.name().toStdString();
    }
}

TEST(LocaleFormatSettings, WithoutANumericSeparatorTheDateIsYearMonthDay) {
    const TFormatSettings fs = LocaleFormatSettings(QLocale::c());
    EXPECT_EQ(fs.ShortDateFormat, "yyyy-mm-dd");
    EXPECT_EQ(fs.DateSeparator, '-');
}

TEST(LocaleFormatSettings, NamesStartOnSundayAndJanuary) {
    const TFormatSettings fs =
        LocaleFormatSettings(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(fs.ShortDayNames[0], "Sun");
    EXPECT_EQ(fs.LongDayNames[1], "Monday");
    EXPECT_EQ(fs.LongDayNames[6], "Saturday");
    EXPECT_EQ(fs.ShortMonthNames[0], "Jan");
    EXPECT_EQ(fs.LongMonthNames[11], "December");
    EXPECT_EQ(fs.TimeAMString, "AM");
    EXPECT_EQ(fs.TimePMString, "PM");
    EXPECT_EQ(fs.TimeSeparator, ':');

    const TFormatSettings de = LocaleFormatSettings(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.LongDayNames[0], "Sonntag");
    EXPECT_EQ(de.LongMonthNames[2], "März");
}

TEST(LocaleFormatSettings, TimeSeparatorOfTheLocale) {
    // Finnish writes times as 13.45.
    const TFormatSettings fi = LocaleFormatSettings(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(fi.TimeSeparator, '.') << QLocale(QLocale::Finnish, QLocale::Finland)
                                            .timeFormat(QLocale::ShortFormat)
                                            .toStdString();
}

} // namespace
