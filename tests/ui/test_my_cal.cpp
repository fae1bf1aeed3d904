// The month grid: where the 1st of a month falls, the order of its date,
// month and year notices, real clicks and keys (read-only too), marks across
// a change of month, and how a marked current cell is drawn.
#include "core/Clock.h"
#include "core/DateFormat.h"
#include "core/Messages.h"
#include "ui/CalCellText.h"
#include "ui/MyCal.h"
#include <QtTest>
#include <memory>

namespace {

TDateTime D(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

// Every notice of the grid, in order, as text.
struct TRecorder {
    QStringList Seen;
    explicit TRecorder(TMyCalendar& cal) {
        QObject::connect(&cal, &TMyCalendar::DateChange, &cal,
                         [this](TDateTime d) { Seen << QString::fromStdString(IsoDate(d)); });
        QObject::connect(&cal, &TMyCalendar::MonthChange, &cal,
                         [this](int m) { Seen << QString("month %1").arg(m); });
        QObject::connect(&cal, &TMyCalendar::YearChange, &cal,
                         [this](int y) { Seen << QString("year %1").arg(y); });
    }
};

std::unique_ptr<TMarkedCalendar> Shown(TDateTime d, int weekStart = 0) {
    auto cal = std::make_unique<TMarkedCalendar>();
    cal->SetStartOfWeek(weekStart);
    cal->SetShownDate(d);
    cal->resize(490, 330);
    cal->show();
    cal->setFocus();
    return cal;
}

QPoint CentreOfDay(const TMyCalendar& cal, int day) {
    const int offset = day - cal.FirstCellDay();
    return cal.CellRect(offset % 7, offset / 7 + 1).center();
}

} // namespace

class TestMyCal : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FixToday(D(2026, 3, 10));
        SetMessageHandlers(
            {[](const std::string& t, TMsgKind) { QFAIL(t.c_str()); }, {}, {}, {}, {}});
    }

    void Layout_data() {
        QTest::addColumn<TDateTime>("date");
        QTest::addColumn<int>("weekStart");
        QTest::addColumn<int>("firstCellDay");
        QTest::addColumn<int>("lastRowUsed");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("twoDigit");
        // June 2025 and February 2026 start on a Sunday, February 2024 on a
        // Thursday.
        auto row = [](const char* tag, TDateTime d, int start, int first, int last, QString h) {
            QTest::newRow(tag) << d << start << first << last << h << h.left(2);
        };
        row("1st on the week start", D(2025, 6, 9), 0, 1, 5, "Sun");
        row("1st the day before it", D(2025, 6, 9), 1, -5, 6, "Mon");
        row("short February", D(2026, 2, 14), 0, 1, 4, "Sun");
        row("leap February", D(2024, 2, 29), 6, -4, 5, "Sat");
    }

    void Layout() {
        QFETCH(TDateTime, date);
        QFETCH(int, weekStart);
        auto cal = Shown(date, weekStart);
        QTEST(cal->FirstCellDay(), "firstCellDay");
        QTEST(cal->CellText(0, 0), "header");
        cal->SetTwoDigitDay(true);
        QTEST(cal->CellText(0, 0), "twoDigit");
        // The 1st is always in week row 1; days of other months are blank.
        const int firstCol = 1 - cal->FirstCellDay();
        QCOMPARE(cal->CellText(firstCol, 1), QString("1"));
        QFETCH(int, lastRowUsed);
        for (int row = 1; row < 7; ++row) {
            bool any = false;
            for (int col = 0; col < 7; ++col)
                any = any || !cal->CellText(col, row).isEmpty();
            QCOMPARE(any, row <= lastRowUsed);
        }
        // The current cell shows the date.
        QCOMPARE(cal->CellText(cal->Col(), cal->Row()).toInt(), DecodeDate(date).Day);
    }

    void StepNotices_data() {
        QTest::addColumn<TDateTime>("from");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("seen");
        auto row = [](const char* tag, TDateTime from, const char* step, QStringList seen) {
            QTest::newRow(tag) << from << QString(step) << seen;
        };
        row("back from 15 January", D(2026, 1, 15), "prev month",
            {"2025-01-15", "2025-12-15", "month 12"});
        row("back from 31 March, leap", D(2024, 3, 31), "prev month", {"2024-02-29", "month 2"});
        row("back from 31 March", D(2025, 3, 31), "prev month", {"2025-02-28", "month 2"});
        row("year on from 29 February", D(2024, 2, 29), "next year",
            {"2024-02-28", "2025-02-28", "year 2025"});
        row("same date again", D(2026, 3, 10), "same", {});
        row("past the last year", D(9999, 12, 31), "next month", {});
        row("before the first year", D(1, 1, 5), "prev month", {});
        row("Page Down", D(2026, 12, 31), "PgDn", {"2027-12-31", "2027-01-31", "month 1"});
    }

    void StepNotices() {
        QFETCH(TDateTime, from);
        QFETCH(QString, step);
        auto cal = Shown(from);
        TRecorder rec(*cal);
        const bool outOfRange = QByteArray(QTest::currentDataTag()).contains("year");
        try {
            if (step == "prev month")
                cal->GoPrevMonth();
            else if (step == "next month")
                cal->GoNextMonth();
            else if (step == "next year")
                cal->GoNextYear();
            else if (step == "same")
                cal->SetShownDate(from);
            else
                QTest::keyClick(cal.get(), Qt::Key_PageDown);
        } catch (const TTickwellError&) {
            QVERIFY(outOfRange);
        }
        QTEST(rec.Seen, "seen");
        if (rec.Seen.isEmpty())
            QCOMPARE(cal->ShownDate(), from);
    }

    // Clicks and keys of a user; read-only refuses them, but not the owner.
    void UserInput_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("input");
        QTest::addColumn<TDateTime>("after");
        const TDateTime start = D(2026, 3, 10);
        QTest::newRow("click a day") << false << "click 17" << D(2026, 3, 17);
        QTest::newRow("click a blank cell") << false << "click blank" << start;
        QTest::newRow("arrows") << false << "Right Down Down Left" << D(2026, 3, 24);
        QTest::newRow("arrows stop at the month's end")
            << false << "End Right Down" << D(2026, 3, 31);
        QTest::newRow("Home, Up stays") << false << "Home Up" << D(2026, 3, 1);
        QTest::newRow("read-only click") << true << "click 17" << start;
        QTest::newRow("read-only keys") << true << "Right PgDn" << start;
    }

    void UserInput() {
        QFETCH(bool, readOnly);
        QFETCH(QString, input);
        auto cal = Shown(D(2026, 3, 10));
        cal->SetReadOnly(readOnly);
        const QMap<QString, Qt::Key> keys{{"Right", Qt::Key_Right},  {"Left", Qt::Key_Left},
                                          {"Up", Qt::Key_Up},        {"Down", Qt::Key_Down},
                                          {"Home", Qt::Key_Home},    {"End", Qt::Key_End},
                                          {"PgDn", Qt::Key_PageDown}};
        if (input == "click 17")
            QTest::mouseClick(cal.get(), Qt::LeftButton, {}, CentreOfDay(*cal, 17));
        else if (input == "click blank")
            QTest::mouseClick(cal.get(), Qt::LeftButton, {}, cal->CellRect(6, 6).center());
        else
            for (const QString& k : input.split(' '))
                QTest::keyClick(cal.get(), keys.value(k));
        QTEST(cal->ShownDate(), "after");
        QCOMPARE(cal->CellText(cal->Col(), cal->Row()).toInt(), DecodeDate(cal->ShownDate()).Day);
        cal->SetShownDate(D(2026, 3, 2));
        QCOMPARE(cal->CellText(cal->Col(), cal->Row()), QString("2"));
    }

    void MarksLastTheMonth() {
        auto cal = Shown(D(2026, 3, 3));
        cal->SetMark(3, 2, true);
        bool markedAtNotice = true;
        connect(cal.get(), &TMyCalendar::DateChange, cal.get(),
                [&] { markedAtNotice = cal->Mark(3, 2); });
        cal->SetShownDate(D(2026, 3, 17));
        QVERIFY(markedAtNotice);
        cal->SetShownDate(D(2026, 4, 17));
        QVERIFY(!markedAtNotice);
        QVERIFY(!cal->Mark(3, 2));
    }

    // A marked day: its own background, but the highlight when current;
    // bold type when asked for.
    void MarkedCellColours() {
        auto cal = Shown(D(2026, 3, 10));
        const QPoint cur(cal->Col(), cal->Row());
        cal->SetMark(cur.x(), cur.y(), true);
        cal->SetMark(0, 1, true);
        auto pixel = [&](int col, int row) {
            const QRect r = cal->CellRect(col, row);
            return cal->grab().toImage().pixelColor(r.center().x() + r.width() / 4, r.bottom() - 5);
        };
        QCOMPARE(pixel(0, 1), cal->MarkedBackground());
        QCOMPARE(pixel(cur.x(), cur.y()), cal->palette().color(QPalette::Highlight));
        QCOMPARE(pixel(6, 6), cal->Colour(kClInfoBk));
        const QImage plain = cal->grab(cal->CellRect(cur.x(), cur.y())).toImage();
        cal->SetBoldMarkedDate(true);
        QVERIFY(cal->grab(cal->CellRect(cur.x(), cur.y())).toImage() != plain);
    }

    // The lines of a month cell under its day number.
    void CellLines_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("hidden");
        auto row = [](const char* tag, QStringList texts, int max, bool wrap, QStringList lines,
                      int hidden) {
            QTest::newRow(tag) << texts << max << wrap << lines << hidden;
        };
        const QStringList three{"Gym", "Team", "Dentist"};
        const QString plants = "Water the plants";
        row("all fit", three, 3, false, three, 0);
        row("one short", three, 2, false, {"Gym", "+2 more"}, 2);
        row("no line to spare", three, 0, true, {}, 3);
        row("an empty first line", {""}, 1, false, {""}, 0);
        row("wrapped", {plants}, 2, true, {"Water the", "plants"}, 0);
        row("one line, cut", {plants}, 2, false, {"Water the\u2026"}, 0);
        row("wrapped, cut before more", {plants, "Gym"}, 2, true, {"Water the\u2026", "+1 more"},
            1);
    }

    void CellLines() {
        QFETCH(QStringList, texts);
        QFETCH(int, maxLines);
        QFETCH(bool, wrap);
        const QFont font;
        // Room for "Water the" and its ellipsis, no more.
        const int width =
            QFontMetrics(font).horizontalAdvance(QStringLiteral("Water the\u2026")) + 1;
        const TCellLines got = LayOutCellLines(
            int(texts.size()), [&](int k) { return texts[k]; }, font, width, maxLines, wrap);
        QTEST(got.Lines, "lines");
        QTEST(got.Hidden, "hidden");
    }
};

QTEST_MAIN(TestMyCal)
#include "test_my_cal.moc"
