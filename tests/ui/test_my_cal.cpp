// The month grid: real clicks and keys (read-only too), the last year, and
// the lines of a cell.
#include "core/Clock.h"
#include "core/Messages.h"
#include "ui/CalCellText.h"
#include "ui/MyCal.h"
#include <QtTest>
#include <memory>

namespace {

constexpr auto D = &EncodeDate;

std::unique_ptr<TMarkedCalendar> Shown(TDateTime d, int weekStart = 0) {
    auto cal = std::make_unique<TMarkedCalendar>();
    cal->SetStartOfWeek(weekStart);
    cal->SetShownDate(d);
    cal->resize(490, 330);
    cal->show();
    return cal;
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

    // A step past the year 9999 is refused, the date kept.
    void StepBeyondTheLastYear() {
        SetMessageHandlers({[](const std::string&, TMsgKind) {}, {}, {}, {}, {}});
        auto cal = Shown(D(9999, 12, 31));
        QTest::keyClick(cal.get(), Qt::Key_PageDown);
        QCOMPARE(cal->ShownDate(), D(9999, 12, 31));
    }

    // Clicks and keys of a user; read-only refuses them, but not the owner.
    void UserInput() {
        const TDateTime start = D(2026, 3, 10);
        const struct {
            bool ReadOnly;
            QString Input;
            TDateTime After;
        } cases[] = {
            {false, "click 17", D(2026, 3, 17)},
            {false, "click blank", start},
            {false, "Right Down Down Left", D(2026, 3, 24)},
            {false, "PgDown", D(2026, 4, 10)},
            {false, "End Right Down", D(2026, 3, 31)}, // arrows stop at the month's end
            {false, "Home Up", D(2026, 3, 1)},
            {true, "click 17", start},
            {true, "Right PgDown", start},
        };
        for (const auto& c : cases) {
            auto cal = Shown(start);
            cal->SetReadOnly(c.ReadOnly);
            const int offset = 17 - cal->FirstCellDay();
            if (c.Input == "click 17")
                QTest::mouseClick(cal.get(), Qt::LeftButton, {},
                                  cal->CellRect(offset % 7, offset / 7 + 1).center());
            else if (c.Input == "click blank")
                QTest::mouseClick(cal.get(), Qt::LeftButton, {}, cal->CellRect(6, 6).center());
            else
                for (const QString& k : c.Input.split(' '))
                    QTest::keyClick(cal.get(), QKeySequence(k)[0].key());
            QVERIFY2(cal->ShownDate() == c.After, qPrintable(c.Input));
        }
    }

    // The lines of a month cell under its day number, in room for "Water the"
    // and its ellipsis, no more.
    void CellLines() {
        const QStringList three{"Gym", "Team", "Dentist"};
        const QString plants = "Water the plants";
        const struct {
            QStringList Texts;
            int MaxLines;
            bool Wrap;
            QStringList Lines;
            int Hidden;
        } cases[] = {
            {three, 2, false, {"Gym", "+2 more"}, 2},
            {three, 0, true, {}, 3},
            {{plants}, 2, true, {"Water the", "plants"}, 0},
            {{plants}, 2, false, {"Water the\u2026"}, 0},
            {{plants, "Gym"}, 2, true, {"Water the\u2026", "+1 more"}, 1},
        };
        const QFont font;
        const int width = QFontMetrics(font).horizontalAdvance(QString("Water the\u2026")) + 1;
        for (const auto& c : cases) {
            const TCellLines got = LayOutCellLines(
                int(c.Texts.size()), [&](int k) { return c.Texts[k]; }, font, width, c.MaxLines,
                c.Wrap);
            QCOMPARE(got.Lines, c.Lines);
            QCOMPARE(got.Hidden, c.Hidden);
        }
    }
};

QTEST_MAIN(TestMyCal)
#include "test_my_cal.moc"
