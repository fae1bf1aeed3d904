// The main window's search of its events: from the top whatever row is
// chosen, on to the next match, no wrap.
#include "UiTestEnv.h"
#include "ui/FrmFind.h"
#include "ui/FrmMain.h"
#include <QLineEdit>
#include <QPushButton>

class TestFrmFind : public QObject {
    Q_OBJECT
    TUiTestEnv Env;

private slots:
    void init() { Env.Reset(); }

    // Upper case as QString makes it, of any letters and scripts, in the first
    // line only.
    void searchesTheMainWindowsEvents_data() {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("found");
        auto row = [](const char* tag, const char* needle, int presses, const char* found) {
            QTest::newRow(tag) << QString::fromUtf8(needle) << presses << QString::fromUtf8(found);
        };
        row("plain letters", "dEnT", 1, "Dentist");
        row("an accented letter", "CAFé", 1, "Café au lait");
        row("upper case longer than the text", "straße", 1, "Strasse fest");
        row("only in a second line", "forms", 1, "Große Straße");
        row("the next match, then no wrap", "STRA", 3, "Große Straße");
        row("greek, then the upper case", "γάμος", 2, "生日 ΓΆΜΟΣ");
    }

    void searchesTheMainWindowsEvents() {
        QFETCH(QString, needle);
        QFETCH(int, presses);
        QFETCH(QString, found);
        for (const char* text : {"Dentist\r\nbring the forms", "Café au lait", "Strasse fest",
                                 "Große Straße", "Γάμος Ελένης", "生日 ΓΆΜΟΣ"})
            Env.Add(MakeEvent(text, Env.Day + Env.Book->MasterList.Count() + 1, true));
        TTestWindow<TMainFrm> w(*Env.Events);
        QVERIFY(ClickRow(w->ListView(), "Große Straße"));
        WhenUp<TFindDlg>(
            [needle, presses](TFindDlg& dlg) {
                TypeText(dlg.FindText, needle);
                for (int i = 0; i < presses; ++i)
                    QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
                QTest::mouseClick(dlg.CloseBtn, Qt::LeftButton);
            },
            w.W);
        QTest::keyClick(w.W, Qt::Key_F, Qt::AltModifier);
        const QModelIndexList selected = w->ListView()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.isEmpty() ? QString() : selected[0].siblingAtColumn(0).data().toString(),
                 found);
        // Nothing (more) found: the chosen row stays, and the user is told.
        QCOMPARE(Env.LastNotice().empty(), found != QString::fromUtf8("Große Straße"));
    }
};

QTEST_MAIN(TestFrmFind)
#include "test_frm_find.moc"
