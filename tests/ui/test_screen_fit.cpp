// The windows on a screen smaller than they ask for (twice the scale on the
// offscreen platform's 800 x 800 screen: 400 x 400): each opens wholly on
// it, buttons and status bar in reach, and the size it was given is the one
// stored again, unless the user gave it another.
#include "UiTestEnv.h"
#include "store/SettingsSchema.h"
#include "ui/FrmCal.h"
#include "ui/FrmMain.h"
#include "ui/FrmScan.h"
#include "ui/ScreenFit.h"
#include <QScreen>
#include <QStatusBar>

class TestScreenFit : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() {
        Env.Reset();
        Env.Add(MakeEvent("Dentist", Env.Day + 1, true));
        Env.Book->MasterList.Scan();
    }

    void WindowsFitAndKeepTheirSize() {
        const struct {
            const char* Name;
            std::function<QWidget*()> Make;
            TIntSetting Width, Height;
        } cases[] = {
            {"calendar", [this] { return new TCalFrm(*Env.Events); }, kFormsWc, kFormsHc},
            {"due events", [this] { return new TScanFrm(*Env.Events); }, kFormsWs, kFormsHs},
            {"main", [this] { return new TMainFrm(*Env.Events); }, kFormsWm, kFormsHm},
        };
        for (const auto& c : cases)
            for (const bool userResizes : {false, true}) {
                init();
                WriteSetting(c.Width, 660);
                WriteSetting(c.Height, 530);
                QPointer<QWidget> w = c.Make();
                w->show();
                QVERIFY(QTest::qWaitForWindowExposed(w));
                const QRect area = w->screen()->availableGeometry();
                QVERIFY2(area.width() < 660 && area.height() < 530, "the screen is too large");
                QVERIFY2(area.contains(w->frameGeometry()), c.Name);
                if (auto* bar = w->findChild<QStatusBar*>())
                    QVERIFY2(area.contains(QRect(bar->mapToGlobal(QPoint()), bar->size())), c.Name);
                if (userResizes) {
                    // As the window manager does for the user, down to the
                    // least size (for the calendar, the whole screen here).
                    w->resize((w->size() - QSize(20, 20)).expandedTo(w->minimumSize()));
                }
                const QSize chosen =
                    userResizes && w->size() != w->minimumSize() ? w->size() : QSize(660, 530);
                w->close();
                delete w.data();
                QCOMPARE(QSize(ReadSetting(c.Width), ReadSetting(c.Height)), chosen);
            }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    // As the program does.
    app.installEventFilter(new TScreenFitter(&app));
    TestScreenFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_screen_fit.moc"
