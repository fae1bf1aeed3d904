// The find dialog's stepping through the list and the main window's search
// of its events.
#include "UiTestEnv.h"
#include "ui/FrmFind.h"
#include "ui/FrmMain.h"
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

class TestFrmFind : public QObject {
    Q_OBJECT
    TUiTestEnv Env;
    QTreeWidget List;

    int Selected() const {
        const QList<QTreeWidgetItem*> sel = List.selectedItems();
        return sel.isEmpty() ? -1 : List.indexOfTopLevelItem(sel.first());
    }

private slots:
    void init() {
        Env.Reset();
        List.clear();
        for (const char* text :
             {"Dentist", "Pay the RENT", "Car service", "rent review", "Birthday"})
            List.addTopLevelItem(new QTreeWidgetItem(QStringList{text, "other column rent"}));
    }

    void stepsThroughMatchesWithoutWrapping() {
        TFindDlg dlg(nullptr, &List);
        dlg.show();
        List.setCurrentItem(List.topLevelItem(4));
        QTest::keyClicks(dlg.FindText, "rEnT");
        // The first search after showing starts at the top, not below the
        // selected row.
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Selected(), 1);
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Selected(), 3);
        QTest::mouseClick(dlg.FindBtn, Qt::LeftButton);
        QCOMPARE(Env.Notices, (decltype(Env.Notices){{"RENT not found!", mkInformation}}));
        QCOMPARE(Selected(), 3);
    }

    // The main window's search reads the events themselves: upper case as
    // QString makes it, of any letters, in the first line only.
    void searchesTheMainWindowsEvents_data() {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("found");
        auto row = [](const char* tag, const char* needle, const char* found) {
            QTest::newRow(tag) << QString::fromUtf8(needle) << QString::fromUtf8(found);
        };
        row("plain letters", "dEnT", "Dentist");
        row("an accented letter", "CAFé", "Café au lait");
        row("upper case longer than the text", "straße", "Strasse fest");
        row("only in a second line", "forms", "");
    }

    void searchesTheMainWindowsEvents() {
        QFETCH(QString, needle);
        QFETCH(QString, found);
        for (const char* text :
             {"Dentist\r\nbring the forms", "Café au lait", "Strasse fest", "Große Straße"})
            MasterList->AddSorted(MakeEvent(text, Env.Day + MasterList->Count() + 1, true));
        TMainFrm w;
        w.show();
        QVERIFY(Activate(&w));
        QTimer::singleShot(0, [needle] {
            if (auto* dlg = qobject_cast<TFindDlg*>(QApplication::activeModalWidget())) {
                // Each character typed as a key of its own, whatever the letter.
                for (const QChar c : needle)
                    QTest::sendKeyEvent(QTest::Click, dlg->FindText, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
                QTest::mouseClick(dlg->FindBtn, Qt::LeftButton);
                QTest::mouseClick(dlg->Button2, Qt::LeftButton);
            }
        });
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        const QModelIndexList selected = w.ListView()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.isEmpty() ? QString() : selected[0].siblingAtColumn(0).data().toString(),
                 found);
        QCOMPARE(Env.LastNotice().empty(), !found.isEmpty());
    }
};

QTEST_MAIN(TestFrmFind)
#include "test_frm_find.moc"
