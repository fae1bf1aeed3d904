// The main window's iCalendar commands, reached through the File menu with
// the keyboard and the mouse as a user reaches them.
#include "UiTestEnv.h"
#include "app/AppGlobals.h"
#include "platform/Paths.h"
#include "ui/FileDialogs.h"
#include "ui/FrmMain.h"
#include "ui/WindowLinks.h"
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <QtTest>

class TestICalMenu : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

    // Opens the File menu with Alt+L and clicks the entry.
    static void ChooseFromFileMenu(TMainFrm& w, const QString& caption) {
        QTest::keyClick(&w, Qt::Key_L, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction* entry = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == caption)
                entry = a;
        QVERIFY2(entry, qPrintable(caption));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    }

private slots:
    void init() {
        Env.Reset();
        StartMode = smMain;
        FirstArgument.clear();
        MainLinks() = {};
        SetFileDialogs({});
    }

    void exportAndImportFromTheFileMenu() {
        MasterList->AddSorted(MakeEvent("Choir", Env.Day + 2, false, etWeekly));
        MasterList->AddSorted(MakeEvent("Dentist", Env.Day + 5, true));
        const QString file = QString::fromStdString(DataFolder()) + "/events.ics";
        std::vector<TFileDialogRequest> requests;
        auto answer = [&](QWidget*, const TFileDialogRequest& r) {
            requests.push_back(r);
            return file;
        };
        SetFileDialogs({answer, answer, {}});
        TMainFrm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        ChooseFromFileMenu(w, "Export to &iCalendar...");
        QTRY_COMPARE(Env.LastNotice(), std::string("Export successful"));
        QCOMPARE(requests.back().Title, QString("Export to iCalendar"));
        QCOMPARE(requests.back().Filters, QStringList{"iCalendar File (*.ics)"});
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("BEGIN:VCALENDAR"));
        written.close();

        // Its own file again changes nothing; another calendar's file adds
        // its event, and the list shows it at once.
        ChooseFromFileMenu(w, "Import from iC&alendar...");
        QTRY_COMPARE(Env.LastNotice(),
                     std::string("Import Successful\n2 event(s) already in your list"));
        QCOMPARE(requests.back().Title, QString("Import iCalendar data"));
        QCOMPARE(w.ListView()->topLevelItemCount(), 2);
        QVERIFY(written.open(QIODevice::WriteOnly | QIODevice::Truncate));
        written.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x@example.com\r\n"
                      "DTSTART;VALUE=DATE:20260320\r\nSUMMARY:Concert\r\nEND:VEVENT\r\n"
                      "END:VCALENDAR\r\n");
        written.close();
        ChooseFromFileMenu(w, "Import from iC&alendar...");
        QTRY_COMPARE(Env.LastNotice(), std::string("Import Successful\n1 event(s) added"));
        QCOMPARE(w.ListView()->topLevelItemCount(), 3);
        QCOMPARE(w.StatusPanel(0)->text(), QString("3  Event(s) "));
    }
};

QTEST_MAIN(TestICalMenu)
#include "test_ical_menu.moc"
