// The main window's iCalendar commands, reached through the File menu with
// the keyboard and the mouse as a user reaches them.
#include "UiTestEnv.h"
#include "platform/Paths.h"
#include "ui/FileDialogs.h"
#include "ui/FrmMain.h"
#include "ui/WindowLinks.h"
#include "ui/WindowState.h"
#include <QFile>
#include <QLabel>

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
        const QString file = QString::fromStdString(DataFolder()) + "/events.ics";
        auto answer = [&](QWidget*, const TFileDialogRequest&) { return file; };
        SetFileDialogs({answer, answer, {}});
        TMainFrm w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        ChooseFromFileMenu(w, "Export to &iCalendar...");
        QTRY_COMPARE(Env.LastNotice(), std::string("Export successful"));
        // Another calendar adds an event to the file; only that one is new.
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadWrite));
        QByteArray text = written.readAll();
        text.insert(text.lastIndexOf("END:VCALENDAR"),
                    "BEGIN:VEVENT\r\nUID:x@example.com\r\nDTSTART;VALUE=DATE:20260320\r\n"
                    "SUMMARY:Concert\r\nEND:VEVENT\r\n");
        written.seek(0);
        written.write(text);
        written.close();
        ChooseFromFileMenu(w, "Import from iC&alendar...");
        QTRY_COMPARE(Env.LastNotice(), std::string("Import Successful\n1 event(s) added\n"
                                                   "1 event(s) already in your list"));
        QCOMPARE(w.ListView()->model()->rowCount(), 2);
        QCOMPARE(w.StatusPanel(0)->text(), QString("2  Event(s) "));
    }
};

QTEST_MAIN(TestICalMenu)
#include "test_ical_menu.moc"
