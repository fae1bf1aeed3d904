// The schedule's time editor. Time is test time: the clock stands still and
// the repeat timer ticks only as the test moves it on.
#include "UiTestEnv.h"
#include "ui/FrmTimeEd.h"
#include "ui/TickTimer.h"
#include <QPushButton>
#include <QToolButton>

class TestFrmTimeEd : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() { Env.Reset(); }
    void cleanup() { EndTestTime(); }

    // A held arrow repeats after half a second, then every 100 ms; the hours
    // wrap.
    void ArrowRepeatsWhileHeld() {
        BeginTestTime(Env.Day + 0.5);
        WhenUp<TTimeFrm>([](TTimeFrm& dlg) {
            QTest::mousePress(dlg.HourUpBtn, Qt::LeftButton);
            for (int t = 0; t < 800; t += 100)
                AdvanceTestTime(100);
            QTest::mouseRelease(dlg.HourUpBtn, Qt::LeftButton);
            QTest::mouseClick(dlg.OkBtn, Qt::LeftButton);
        });
        std::string text = "23:45";
        QVERIFY(EditTime(text));
        QCOMPARE(text, std::string("04:45"));
    }
};

QTEST_MAIN(TestFrmTimeEd)
#include "test_frm_time_ed.moc"
